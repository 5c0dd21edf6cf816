#include "core/edit/FmPresets.h"

#include "core/edit/ChannelTableTestSupport.h"
#include "support/DocumentBytes.h"

namespace qorrin {
namespace {

class FmPresetsTest : public test::ChannelTableTest {};

TEST_F(FmPresetsTest, ListHas211TextsStoredBytesShowAsItemsAndEveryPickIsStored) {
  const std::vector<std::string>& items = GetFmFrequencyItems();
  ASSERT_EQ(items.size(), 211u);
  for (auto [index, text] : {std::pair{0, "87M0"}, {9, "87M9"}, {10, "88M0"}, {135, "100M5"}, {210, "108M0"}}) {
    EXPECT_EQ(items[static_cast<std::size_t>(index)], text);
    EXPECT_EQ(GetFmFrequencyText(index), text);
  }
  EXPECT_EQ(GetFmFrequencyText(-1) + GetFmFrequencyText(211), "");

  // How missing, empty and long headings read is the channel table's heading test.
  EXPECT_EQ(LoadFmPresetHeadings(), (std::array<std::string, 2>{"No.", "Frequency (MHz)"}));

  test::SetByte(doc, kFmPresets + 4, 0xFF);  // as read from a radio
  test::SetByte(doc, kFmCurrent, 0xD3);
  EXPECT_EQ(GetFmPresetText(doc, 5), "108M0");
  EXPECT_EQ(std::pair(GetFmPresetIndex(doc, 5), GetFmCurrentIndex(doc)), std::pair(210, 210));
  EXPECT_EQ(doc.Image()[kFmPresets + 4], 0xFF);  // showing stores nothing

  SaveAside();
  EditResult done = CommitFmPreset(doc, 3, 135);
  EXPECT_TRUE(done.bStored && done.bModified && doc.IsModified());
  EXPECT_EQ(doc.Image()[kFmPresets + 2], 0x87);
  EXPECT_EQ(GetFmPresetText(doc, 3), "100M5");
  ASSERT_TRUE(CommitFmPreset(doc, kFmPresetCount, 7).bStored);  // the last preset, the last byte
  EXPECT_EQ(doc.Image()[kFmPresets + kFmPresetCount - 1], 7);

  // Leaving the editor without a new pick stores the same index and still counts.
  SaveAside();
  EXPECT_TRUE(CommitFmPreset(doc, 3, 135).bModified);
  EXPECT_TRUE(doc.IsModified());

  SaveAside();
  done = CommitFmCurrent(doc, 130);
  EXPECT_TRUE(done.bStored && done.bModified && doc.IsModified());
  EXPECT_EQ(doc.Image()[kFmCurrent], 130);

  SaveAside();
  const auto before = doc.Image();
  for (const EditResult& refused : {CommitFmPreset(doc, 3, -1), CommitFmPreset(doc, 3, 211),
                                    CommitFmPreset(doc, 0, 5), CommitFmPreset(doc, 16, 5),
                                    CommitFmCurrent(doc, -1), CommitFmCurrent(doc, 211)}) {
    EXPECT_FALSE(refused.bStored || refused.bModified);
  }
  EXPECT_EQ(doc.Image(), before);
  EXPECT_FALSE(doc.IsModified());
}

}  // namespace
}  // namespace qorrin
