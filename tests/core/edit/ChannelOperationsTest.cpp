#include "core/edit/ChannelOperations.h"

#include "core/edit/BulkEdit.h"
#include "core/edit/ChannelCommandAvailability.h"
#include "core/edit/ChannelCommits.h"
#include "core/edit/ChannelTableTestSupport.h"
#include "core/edit/EditHistory.h"

namespace qorrin {
namespace {

class ChannelOperationsTest : public test::ChannelTableTest {
 protected:
  void SetUp() override {
    ChannelTableTest::SetUp();
    CommitReceiveFrequency(doc, 1, "");
    // Channels 2..6 on 146.0, 145.0, 147.0, 145.0, 144.0 MHz named E, D, C, B, A.
    const char* frequencies[] = {"146", "145", "147", "145", "144"};
    const char* names[] = {"E", "D", "C", "B", "A"};
    for (int i = 0; i < 5; ++i) {
      CommitReceiveFrequency(doc, i + 2, frequencies[i]);
      CommitName(doc, i + 2, names[i]);
    }
    history.Attach(doc);
  }
  // The records of channels first..last, one per line.
  std::vector<std::string> Records(int first, int last) const {
    std::vector<std::string> records;
    for (int row = first; row <= last; ++row) records.push_back(Record(row));
    return records;
  }
  // The names of channels 1..n ("-" for an empty channel).
  std::string Names(int n) const {
    std::string names;
    for (int row = 1; row <= n; ++row) {
      names += IsRecordEmpty(doc.Image(), row) ? std::string("-") : GetChannelName(doc.Image(), row);
    }
    return names;
  }
  EditHistory history;
};

TEST_F(ChannelOperationsTest, InsertAndDeleteShiftRecordsAndThePriorityFollows) {
  const std::vector<std::string> before = Records(1, 99);
  test::SetByte(doc, kOptPriorityChannel, 4);  // channel C

  ASSERT_TRUE(InsertChannel(doc, 3).ok());
  EXPECT_EQ(Names(8), "-E-DCBA-");
  EXPECT_EQ(Record(3), test::kEmptyRecord);
  EXPECT_EQ(Record(5), before[3]);  // whole records, name bit and all
  EXPECT_EQ(doc.Image()[kOptPriorityChannel], 5);
  EXPECT_EQ(doc.Image()[kChannelBitmap], 0b1111010);  // the in-use bitmap follows
  EXPECT_EQ(doc.Image()[kIdxFirstChannel], 1);
  EXPECT_TRUE(doc.IsModified());

  ASSERT_TRUE(DeleteChannels(doc, {2}).ok());
  EXPECT_EQ(Names(8), "--DCBA--");
  EXPECT_EQ(doc.Image()[kOptPriorityChannel], 4);
  ASSERT_TRUE(DeleteChannels(doc, {4}).ok());  // the priority channel itself: off
  EXPECT_EQ(doc.Image()[kOptPriorityChannel], 0);
  EXPECT_EQ(Record(99), test::kEmptyRecord);
  // Several at once (repeats and numbers outside the table count once or not at all).
  EXPECT_EQ(DeleteChannels(doc, {4, 1, 4, 120}).rows, std::vector<int>{1});
  EXPECT_EQ(Names(8), "-DA-----");

  // Channel 99 programmed: nothing may fall off the end.
  CommitReceiveFrequency(doc, 99, "150");
  const RadioImage full = doc.Image();
  EXPECT_EQ(InsertChannel(doc, 50).refusal, OperationRefusal::LastChannelProgrammed);
  EXPECT_EQ(doc.Image(), full);
  ASSERT_TRUE(MoveChannels(doc, {2}, false).ok());  // a move far above it leaves it be
  EXPECT_EQ(GetFrequencyText(doc.Image(), 99, true), "150.00000");
  // A priority channel pushed into the last slot goes with it.
  ASSERT_TRUE(DeleteChannels(doc, {99}).ok());
  CommitReceiveFrequency(doc, 98, "151");
  test::SetByte(doc, kOptPriorityChannel, 98);
  ASSERT_TRUE(InsertChannel(doc, 10).ok());
  EXPECT_EQ(doc.Image()[kOptPriorityChannel], 99);

  // Each operation is one step: undone, the table is back as it was.
  while (history.Undo()) {
  }
  EXPECT_EQ(Records(1, 99), before);
}

TEST_F(ChannelOperationsTest, MovingBlocksKeepsTheSelectionOnTheMovedChannels) {
  // A move is a change to be saved; a sort that leaves every channel in place is none.
  SaveAside();
  ASSERT_TRUE(SortChannels(doc, {3, 4}, SortKey::ReceiveFrequency).ok());  // 145 before 147 already
  EXPECT_FALSE(doc.IsModified());
  ASSERT_TRUE(MoveChannels(doc, {2}, false).ok());
  EXPECT_TRUE(doc.IsModified());
  ASSERT_TRUE(MoveChannels(doc, {3}, true).ok());
  OperationResult moved = MoveChannels(doc, {3, 4, 6}, true);
  ASSERT_TRUE(moved.ok());
  EXPECT_EQ(Names(6), "-DCEAB");
  EXPECT_EQ(moved.rows, (std::vector<int>{2, 3, 5}));
  moved = MoveChannels(doc, moved.rows, false);
  EXPECT_EQ(Names(6), "-EDCBA");
  EXPECT_EQ(moved.rows, (std::vector<int>{3, 4, 6}));
  EXPECT_EQ(MoveChannels(doc, {1, 2}, true).refusal, OperationRefusal::NothingToMove);
  EXPECT_EQ(MoveChannels(doc, {99}, false).refusal, OperationRefusal::NothingToMove);
  EXPECT_EQ(MoveChannels(doc, {0, 100}, false).refusal, OperationRefusal::NoChannels);
  EXPECT_EQ(Names(6), "-EDCBA");
  EXPECT_EQ(EditHistory::LabelText(history.UndoLabel()), "Move of 3 channels");
  MoveChannels(doc, {2}, false);
  EXPECT_EQ(EditHistory::LabelText(history.UndoLabel()), "Move of 1 channel");
}

TEST_F(ChannelOperationsTest, SortKeepsTheGapsAndClearEmpties) {
  test::SetByte(doc, kOptPriorityChannel, 3);  // D on 145.0
  // The selected channels only, by frequency: the two on 145.0 keep their order.
  ASSERT_TRUE(SortChannels(doc, {2, 3, 4, 5}, SortKey::ReceiveFrequency).ok());
  EXPECT_EQ(Names(6), "-DBECA");
  EXPECT_EQ(doc.Image()[kOptPriorityChannel], 2);
  // All channels by name, gaps at 1, 7 and 8: the empty slots stay where they were.
  CommitReceiveFrequency(doc, 9, "143");
  CommitName(doc, 9, "F");
  ASSERT_TRUE(SortChannels(doc, {}, SortKey::Name).ok());
  EXPECT_EQ(Names(10), "-ABCDE--F-");
  EXPECT_EQ(Record(7), test::kEmptyRecord);
  EXPECT_EQ(EditHistory::LabelText(history.UndoLabel()), "Sort of 6 channels by name");
  // By frequency over a selection with a gap inside: 143 moves from 9 up to 5.
  ASSERT_TRUE(SortChannels(doc, {5, 6, 7, 8, 9}, SortKey::ReceiveFrequency).ok());
  EXPECT_EQ(Names(10), "-ABCFD--E-");
  CommitName(doc, 2, "");
  SortChannels(doc, {}, SortKey::Name);
  EXPECT_EQ(Names(10), "-BCDEF---");  // the unnamed channel after the named ones, at 9
  EXPECT_FALSE(IsRecordEmpty(doc.Image(), 9));

  // Clearing names the channels it emptied, not those that were empty already.
  ASSERT_TRUE(ClearChannels(doc, {1, 2, 3}).ok());
  EXPECT_EQ(Record(2), test::kEmptyRecord);
  EXPECT_EQ(Names(5), "---DE");
  EXPECT_EQ(EditHistory::LabelText(history.UndoLabel()), "Clear of 2 channels");
  ClearChannels(doc, {3, 4});
  EXPECT_EQ(EditHistory::LabelText(history.UndoLabel()), "Clear of 1 channel");  // singular
}

// What the Edit menu offers: each command only where it can act.
TEST_F(ChannelOperationsTest, CommandsAreOfferedOnlyWhereTheyCanAct) {
  // Nothing selected and no focus row: only Sort, over all channels.
  ChannelCommandAvailability can = GetChannelCommandAvailability(doc.Image(), {}, 0);
  EXPECT_FALSE(can.bCopy || can.bSetSelected || can.bClear || can.bInsert || can.bDelete || can.bMoveUp ||
               can.bMoveDown);
  EXPECT_TRUE(can.bSort);
  // The focus row alone: channel 1 (empty) can be deleted or moved down, nothing else.
  can = GetChannelCommandAvailability(doc.Image(), {}, 1);
  EXPECT_TRUE(can.bDelete && can.bInsert && can.bMoveDown);
  EXPECT_FALSE(can.bMoveUp || can.bSetSelected || can.bCopy || can.bClear);
  // The selection wins over the focus row; one programmed channel among them is enough.
  can = GetChannelCommandAvailability(doc.Image(), {98, 99}, 1);
  EXPECT_TRUE(can.bMoveUp && !can.bMoveDown && !can.bSetSelected);
  can = GetChannelCommandAvailability(doc.Image(), {1, 2}, 0);
  EXPECT_TRUE(can.bSetSelected && can.bCopy && can.bClear);
  EXPECT_EQ(CountProgrammedChannels(doc.Image(), {1, 2, 2, 3, 100}), 2);
  // Sort: over a selection of two or more, else over all; it needs two programmed channels.
  EXPECT_FALSE(GetChannelCommandAvailability(doc.Image(), {1, 2}, 0).bSort);
  EXPECT_TRUE(GetChannelCommandAvailability(doc.Image(), {2, 3}, 0).bSort);
  EXPECT_TRUE(GetChannelCommandAvailability(doc.Image(), {2}, 0).bSort);  // one row: all
  EXPECT_EQ(SortCommandRows({7}).size(), 99u);
  ClearChannels(doc, {2, 3, 4, 5});
  EXPECT_FALSE(GetChannelCommandAvailability(doc.Image(), {}, 6).bSort);
}

TEST_F(ChannelOperationsTest, BulkChangeGoesThroughEachFieldsRuleAsOneStep) {
  CommitTransmitFrequency(doc, 4, "");  // C receive-only
  BulkChange change;
  change.encodeTone = 12;
  change.power = 0;
  BulkResult done = ApplyBulkChange(doc, {1, 3, 4}, change);
  EXPECT_EQ(std::pair(done.changed, done.skipped), std::pair(2, 2));  // skipped: the empty 1, C's encode tone
  EXPECT_EQ(GetToneCode(doc.Image(), 3, false), 12);
  EXPECT_EQ(GetToneCode(doc.Image(), 4, false), 0);  // receive-only keeps no encode tone
  EXPECT_FALSE(IsHighPower(doc.Image(), 4));
  EXPECT_EQ(Record(1), test::kEmptyRecord);
  EXPECT_EQ(history.StepCount(), 2u);
  EXPECT_EQ(EditHistory::LabelText(history.UndoLabel()), "Change of 2 channels");  // not the empty one

  // A shift: transmit = receive -/+ offset; receive-only stays so, counted. D023I: inverted bit too.
  change = {};
  change.shift = 2;
  change.offset = 600000;  // 6 MHz
  change.decodeTone = 51 + 104;
  done = ApplyBulkChange(doc, {2, 4}, change);
  EXPECT_EQ(GetTransmitFrequencyText(doc.Image(), 2), "152.00000");
  EXPECT_FALSE(TransmitFrequencyValue(doc.Image(), 4).has_value());
  EXPECT_EQ(done.receiveOnlyKept, 1);
  EXPECT_EQ(GetToneCode(doc.Image(), 4, true), 155);
  change = {};
  change.shift = 1;
  change.offset = 5000000;  // 50 MHz down: clamped to the band's lowest frequency
  ApplyBulkChange(doc, {2}, change);
  EXPECT_EQ(GetTransmitFrequencyText(doc.Image(), 2), "136.00000");
  change.shift = 0;
  ApplyBulkChange(doc, {2}, change);
  EXPECT_EQ(Record(2).substr(15, 17), "00 00 00 00 00 D8");  // offset 0, no shift bits
}

}  // namespace
}  // namespace qorrin
