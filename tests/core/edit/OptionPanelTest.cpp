#include "core/edit/OptionPanel.h"

#include "core/edit/ChannelTableTestSupport.h"
#include "core/edit/PriorityChannelList.h"
#include "core/edit/ChannelCommits.h"
#include "support/DocumentBytes.h"

namespace qorrin {
namespace {

class OptionPanelTest : public test::ChannelTableTest {};

TEST_F(OptionPanelTest, ListsInStoredValueOrderSelectTheClampedItemUntilTheUserPicks) {
  EXPECT_EQ(GetOptionListItems(OptionField::Squelch),
            (std::vector<std::string>{"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"}));
  EXPECT_EQ(GetOptionListItems(OptionField::TxTimeLimit),
            (std::vector<std::string>{"Off", "30", "60", "90", "120", "150", "180"}));
  // Language-file lists keep the file's order, never sorted.
  EXPECT_EQ(GetOptionListItems(OptionField::BackLight),
            (std::vector<std::string>{"Off", "Auto", "On"}));

  // The list selects what the field reads (clamping is the field layer's); a pick reaches it.
  test::SetByte(doc, kOptSquelch, 12);
  SaveAside();
  EXPECT_EQ(GetOptionListState(doc, OptionField::Squelch).nSelected, 9);
  // Showing a value stores nothing.
  EXPECT_EQ(doc.Image()[kOptSquelch], 12);
  EXPECT_FALSE(doc.IsModified());

  EditResult done = CommitOption(doc, OptionField::Squelch, 3);
  EXPECT_TRUE(done.bStored && done.bModified && doc.IsModified());
  EXPECT_EQ(doc.Image()[kOptSquelch], 3);

  // Picking the stored value again still counts as an edit.
  SaveAside();
  EXPECT_TRUE(CommitOption(doc, OptionField::Squelch, 3).bModified);
  EXPECT_TRUE(doc.IsModified());
}

// The bits themselves are the field layer's; here: a tick reaches its field and counts as an edit.
TEST_F(OptionPanelTest, CheckBoxesStoreTheirFieldAndMarkTheDocument) {
  for (OptionField check : {OptionField::BusyLockout, OptionField::KeyBeep, OptionField::PowerSave,
                            OptionField::PriorityScan}) {
    for (bool on : {true, false}) {
      SaveAside();
      EditResult done = CommitOptionCheck(doc, check, on);
      EXPECT_TRUE(done.bStored && done.bModified && doc.IsModified());
      EXPECT_EQ(ReadOptionField(doc.Image(), check) != 0, on);
      EXPECT_EQ(GetOptionCheck(doc, check), on);
    }
  }
}

TEST_F(OptionPanelTest, ChoicesNoListOffersStoreNothingEvenWhenTheListIsShort) {
  const auto before = doc.Image();
  SaveAside();
  for (const OptionFieldEntry& entry : kOptionFields) {
    const int count = static_cast<int>(GetOptionListItems(entry.field).size());
    for (int index : {-1, count}) {
      EditResult done = CommitOption(doc, entry.field, index);
      EXPECT_FALSE(done.bStored || done.bModified) << entry.compareName << " " << index;
    }
  }
  EXPECT_EQ(doc.Image(), before);
  EXPECT_FALSE(doc.IsModified());

  // A short language list leaves a value past its end unselected, and offers no such pick.
  std::string lang = dir.read("english.lang");
  const std::size_t on = lang.find("\n2=On\n");  // [BackLight] ends after "Auto"
  ASSERT_NE(on, std::string::npos);
  dir.write("english.lang", lang.erase(on + 1, 5));
  test::Poke(doc, [&](ImageSpan image, const BandLimits&) { WriteOptionField(image, OptionField::BackLight, 2); });
  OptionListState state = GetOptionListState(doc, OptionField::BackLight);
  EXPECT_EQ(std::pair(state.items.size(), state.nSelected), std::pair(std::size_t{2}, -1));
  EXPECT_FALSE(CommitOption(doc, OptionField::BackLight, 2).bStored);
  EXPECT_EQ(ReadOptionField(doc.Image(), OptionField::BackLight), 2);
}

TEST_F(OptionPanelTest, PriorityListFollowsTheProgrammedChannels) {
  CommitReceiveFrequency(doc, 5, "145.5");
  CommitReceiveFrequency(doc, 9, "146.5");
  test::Poke(doc, [&](ImageSpan image, const BandLimits&) { SetPriorityChannel(image, 5); });
  SaveAside();

  PriorityChannelList list = FillPriorityChannelList(doc);
  EXPECT_EQ(list.items, (std::vector<std::string>{"Off", "1", "5", "9"}));
  EXPECT_EQ(list.channels, (std::vector<int>{0, 1, 5, 9}));
  EXPECT_EQ(std::pair(list.nSelected, list.bReset), std::pair(2, false));
  // The channel of items 3 and 4, the item of channel 7.
  EXPECT_EQ(std::tuple(list.ChannelOfItem(3), list.ChannelOfItem(4), list.ItemOfChannel(7)),
            std::tuple(9, -1, -1));

  EditResult done = CommitPriorityChannel(doc, 3);
  EXPECT_TRUE(done.bStored && done.bModified && doc.IsModified());
  EXPECT_EQ(doc.Image()[kOptPriorityChannel], 9);
  CommitPriorityChannel(doc, 0);
  EXPECT_EQ(doc.Image()[kOptPriorityChannel], 0);
  EXPECT_FALSE(CommitPriorityChannel(doc, 4).bStored);
  EXPECT_FALSE(CommitPriorityChannel(doc, -1).bStored);
  EXPECT_EQ(doc.Image()[kOptPriorityChannel], 0);

  // Clearing the priority channel in the table: the next fill resets it silently.
  CommitPriorityChannel(doc, 3);
  ASSERT_TRUE(CommitReceiveFrequency(doc, 9, "").bRebuildPriorityList);
  SaveAside();
  list = FillPriorityChannelList(doc);
  EXPECT_EQ(list.items, (std::vector<std::string>{"Off", "1", "5"}));
  EXPECT_EQ(std::pair(list.nSelected, list.bReset), std::pair(0, true));
  EXPECT_EQ(doc.Image()[kOptPriorityChannel], 0);
  EXPECT_FALSE(doc.IsModified());

  // A byte above 99 reads as off and is rewritten as 0; looking at the list alone stores nothing.
  test::SetByte(doc, kOptPriorityChannel, 120);
  EXPECT_EQ(GetPriorityChannelList(doc).nSelected, 0);
  EXPECT_EQ(doc.Image()[kOptPriorityChannel], 120);
  EXPECT_TRUE(FillPriorityChannelList(doc).bReset);
  EXPECT_EQ(doc.Image()[kOptPriorityChannel], 0);
  EXPECT_FALSE(FillPriorityChannelList(doc).bReset);
  EXPECT_FALSE(doc.IsModified());
}

}  // namespace
}  // namespace qorrin
