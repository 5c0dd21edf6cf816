#include "core/edit/FrequencyRange.h"

#include "core/edit/ChannelCommits.h"
#include "core/edit/ChannelTableTestSupport.h"
#include "support/DocumentBytes.h"

namespace qorrin {
namespace {

class FrequencyRangeTest : public test::ChannelTableTest {};

TEST_F(FrequencyRangeTest, ChangeRebuildsTheImageOnlyForAnotherUsableRange) {
  CommitReceiveFrequency(doc, 5, "145.5");
  SaveAside();
  int updates = 0;
  doc.AddView([&] { ++updates; });
  const auto before = doc.Image();

  // The current range, indices outside the list: no question, nothing changes.
  for (int index : {0, -1, 5, 16}) {
    EXPECT_FALSE(IsFrequencyRangeChange(doc, index)) << index;
    EXPECT_FALSE(CommitFrequencyRange(doc, index).bStored) << index;
  }
  EXPECT_EQ(doc.Image(), before);
  EXPECT_FALSE(doc.IsModified());
  EXPECT_EQ(updates, 0);

  ASSERT_TRUE(IsFrequencyRangeChange(doc, 1));
  EditResult done = CommitFrequencyRange(doc, 1);
  EXPECT_TRUE(done.bStored && done.bModified && doc.IsModified());
  EXPECT_EQ(updates, 1);
  // What the new image holds is the document's rule, pinned by the new-project-file test.
  EXPECT_EQ(GetFrequencyRangeIndex(doc), 1);
  EXPECT_TRUE(IsRecordEmpty(doc.Image(), 5));
}

TEST_F(FrequencyRangeTest, ListShowsEveryEntryButOffersOnlyUsableOnes) {
  std::string ini = dir.read("setting.ini");
  ini.replace(ini.find("data1=00400047"), 14, "data1=zz");
  ini.replace(ini.find("data4=6013401700400048\n"), 23, "");  // Freq4 without a code
  dir.write("setting.ini", ini);
  ASSERT_EQ(GetFrequencyRangeState(doc).items.size(), 5u);  // every entry is listed
  const auto before = doc.Image();
  for (int index : {1, 4}) {
    EXPECT_FALSE(IsFrequencyRangeChange(doc, index)) << index;
    EXPECT_FALSE(CommitFrequencyRange(doc, index).bStored) << index;
  }
  EXPECT_EQ(doc.Image(), before);
  EXPECT_TRUE(IsFrequencyRangeChange(doc, 3));

  // The list shows the image's model.
  EXPECT_EQ(GetFrequencyRangeState(doc).nSelected, 0);
  doc.ChangeFrequencyRange(3);
  EXPECT_EQ(GetFrequencyRangeState(doc).nSelected, 3);
  // A model the list ends before (no text of its own): nothing is selected.
  ini = dir.read("setting.ini");
  ini.replace(ini.find("Freq3="), 17, "");
  dir.write("setting.ini", ini);
  ASSERT_EQ(GetFrequencyRangeState(doc).items.size(), 3u);
  EXPECT_EQ(GetFrequencyRangeState(doc).nSelected, -1);

  const RangeQuestion question = GetFrequencyRangeQuestion();
  EXPECT_EQ(question.strCaption, "Confirm");
  EXPECT_NE(question.strText.find("\nDo you want to continue?"), std::string::npos);
}

}  // namespace
}  // namespace qorrin
