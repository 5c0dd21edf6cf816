#include "core/edit/EditHistory.h"

#include "core/edit/ChannelCommits.h"
#include "core/edit/ChannelTableTestSupport.h"
#include "core/edit/OptionPanel.h"
#include "core/model/ModelTestSupport.h"

namespace qorrin {
namespace {

class EditHistoryTest : public test::ChannelTableTest {
 protected:
  void SetUp() override {
    ChannelTableTest::SetUp();
    history.Attach(doc);
  }
  EditHistory history;
};

TEST_F(EditHistoryTest, UndoAndRedoWalkTheStepsAndTheModifiedFlagFollowsTheSavedState) {
  const RadioImage fresh = doc.Image();
  EXPECT_FALSE(history.CanUndo() || history.CanRedo());

  CommitReceiveFrequency(doc, 5, "145.5");
  const RadioImage one = doc.Image();
  CommitOption(doc, OptionField::Squelch, 2);
  const RadioImage two = doc.Image();
  ASSERT_EQ(history.StepCount(), 2u);
  EXPECT_EQ(history.UndoLabel(), (ChangeLabel{"IDS_UNDO_OPTION", 0}));
  EXPECT_EQ(EditHistory::LabelText(history.UndoLabel()), "Option change");

  // Saved after the first step: unmodified there, modified again either way from it.
  ASSERT_TRUE(history.Undo());
  EXPECT_EQ(doc.Image(), one);
  EXPECT_TRUE(doc.IsModified());
  SaveAside();
  EXPECT_FALSE(doc.IsModified());
  ASSERT_TRUE(history.Redo());
  EXPECT_EQ(doc.Image(), two);
  EXPECT_TRUE(doc.IsModified());
  ASSERT_TRUE(history.Undo());
  EXPECT_FALSE(doc.IsModified());
  EXPECT_EQ(EditHistory::LabelText(history.UndoLabel()), "Edit of channel 5");
  ASSERT_TRUE(history.Undo());
  EXPECT_EQ(doc.Image(), fresh);
  EXPECT_TRUE(doc.IsModified());
  EXPECT_FALSE(history.Undo());

  // A new step drops what could be redone, the saved state with it.
  CommitReceiveFrequency(doc, 7, "146");
  const RadioImage latest = doc.Image();
  EXPECT_FALSE(history.CanRedo());
  EXPECT_FALSE(history.Redo());
  EXPECT_EQ(doc.Image(), latest);
  ASSERT_TRUE(history.Undo());
  EXPECT_EQ(doc.Image(), fresh);
  EXPECT_TRUE(doc.IsModified());  // the saved state is gone from the history
}

TEST_F(EditHistoryTest, StepsAreWholeChangesAndBookkeepingIsNoStep) {
  // A scope makes one step of many edits, under its own label.
  {
    const ChangeScope scope(doc, {"IDS_UNDO_PASTE", 3});
    for (int row : {10, 11, 12}) CommitReceiveFrequency(doc, row, "150");
  }
  ASSERT_EQ(history.StepCount(), 1u);
  EXPECT_EQ(EditHistory::LabelText(history.UndoLabel()), "Paste of 3 channels");
  // Index-field bookkeeping is no step; its bytes belong to the state, so undo/redo keep them.
  doc.UpdateIndexFields();
  const RadioImage indexed = doc.Image();
  EXPECT_EQ(history.StepCount(), 1u);
  ASSERT_TRUE(history.Undo());
  ASSERT_TRUE(history.Redo());
  EXPECT_EQ(doc.Image(), indexed);
  // A commit that changes nothing is no step either.
  CommitName(doc, 10, "");
  EXPECT_EQ(history.StepCount(), 1u);

  // A read from the radio is a step that leaves the modified flag alone.
  SaveAside();
  RadioImage radio = indexed;
  radio[*RecordOffset(20)] = 0x00;
  radio[*RecordOffset(20) + 3] = 0x14;
  doc.ReplaceImage(radio);
  EXPECT_EQ(EditHistory::LabelText(history.UndoLabel()), "Read from Radio");
  EXPECT_FALSE(doc.IsModified());
  ASSERT_TRUE(history.Undo());
  EXPECT_EQ(doc.Image(), indexed);
  EXPECT_FALSE(doc.IsModified());

  // The frequency-range change is one step that counts.
  doc.ChangeFrequencyRange(1);
  EXPECT_EQ(EditHistory::LabelText(history.UndoLabel()), "Frequency range change");
  ASSERT_TRUE(history.Undo());
  EXPECT_EQ(doc.Image(), indexed);
  EXPECT_EQ(doc.GetBandLimits(), test::kVhf);
}

// New and Open start the history again; a short file opened is modified from the start (what
// New and Open load and the modified flag they leave: the document's tests).
TEST_F(EditHistoryTest, NewAndOpenStartAgain) {
  CommitReceiveFrequency(doc, 5, "145.5");
  ASSERT_TRUE(doc.OnNewDocument());
  EXPECT_FALSE(history.CanUndo());
  CommitReceiveFrequency(doc, 6, "146");
  SaveAside();
  CommitReceiveFrequency(doc, 7, "147");
  ASSERT_TRUE(doc.OnOpenDocument(dir.file("saved.7Q")).ok());
  EXPECT_FALSE(history.CanUndo());
  dir.write("short.7Q", test::ReadFileBytes(dir.file("saved.7Q")).substr(0, 1000));
  ASSERT_TRUE(doc.OnOpenDocument(dir.file("short.7Q")).ok());
  CommitReceiveFrequency(doc, 8, "148");
  ASSERT_TRUE(history.Undo());
  EXPECT_TRUE(doc.IsModified());  // back to the short file, still not what it claims to be
  EXPECT_FALSE(history.CanUndo());
}

TEST_F(EditHistoryTest, TheOldestStepsGoPastTheLimit) {
  EditHistory small(3);
  small.Attach(doc);  // replaces the fixture's history as the document's
  const RadioImage fresh = doc.Image();
  for (int row = 1; row <= 5; ++row) CommitReceiveFrequency(doc, row, "150");
  EXPECT_EQ(small.StepCount(), 3u);
  int undone = 0;
  while (small.Undo()) ++undone;
  EXPECT_EQ(undone, 3);
  EXPECT_NE(doc.Image(), fresh);  // two steps are beyond recall
  EXPECT_FALSE(IsRecordEmpty(doc.Image(), 2));
  EXPECT_TRUE(IsRecordEmpty(doc.Image(), 3));
  EXPECT_TRUE(doc.IsModified());  // the saved state went with them
  // A thousand steps of full images stay a few megabytes.
  EXPECT_LT(small.MemoryBytes(), 4u * (sizeof(RadioImage) + 200));
}

}  // namespace
}  // namespace qorrin
