#include "core/model/CQorrinDoc.h"

#include <filesystem>
#include <random>

#include <gtest/gtest.h>

#include "core/model/ModelTestSupport.h"

namespace qorrin {
namespace {

namespace fs = std::filesystem;

std::string HeaderText(std::string text) {
  text.resize(48, '\0');
  return text;
}

std::string RandomBytes(std::size_t n, unsigned seed) {
  std::mt19937 gen(seed);
  std::string s(n, '\0');
  for (char& c : s) c = static_cast<char>(gen() & 0xFF);
  return s;
}

class DocTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir.installDataFiles();
    test::UseModelInfo(dir, {"60134017", "00400047", "6013401700400047"});
    doc.SetPrompts(&prompts);
    doc.AddView([this] { ++viewUpdates; });
    ASSERT_TRUE(doc.OnNewDocument());
    viewUpdates = 0;
  }
  std::string Image() const { return std::string(doc.m_image.begin(), doc.m_image.end()); }
  std::string Header() const { return std::string(doc.m_header.begin(), doc.m_header.end()); }

  test::TempDir dir;
  test::RecordingPrompts prompts;
  CQorrinDoc doc;
  int viewUpdates = 0;
};

TEST_F(DocTest, NewDocumentIsSilentFirstAndCancelChangesNothing) {
  EXPECT_TRUE(prompts.confirms.empty());
  doc.SetPathName(dir.file("kept.7Q"));
  doc.SetModifiedFlag();
  doc.SetFmPreset(3, 42);
  const std::string image = Image();
  prompts.bConfirmAnswer = false;
  EXPECT_FALSE(doc.OnNewDocument());
  ASSERT_EQ(prompts.confirms.size(), 1u);
  EXPECT_EQ(prompts.confirms[0].textKey, "IDS_WARN_CLEAR");
  EXPECT_EQ(Image(), image);
  EXPECT_EQ(doc.GetTitle(), "kept.7Q");
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(viewUpdates, 0);

  prompts.bConfirmAnswer = true;
  EXPECT_TRUE(doc.OnNewDocument());
  EXPECT_EQ(doc.GetFmPreset(3), 0);
  EXPECT_EQ(doc.GetTitle(), "Item");
  EXPECT_EQ(viewUpdates, 1);

  CQorrinDoc quiet;  // no prompt object: later news go ahead silently
  EXPECT_TRUE(quiet.OnNewDocument());
  EXPECT_TRUE(quiet.OnNewDocument());
}

TEST_F(DocTest, LoadSaveRoundTripKeepsAForeignHeader) {
  const std::string header = HeaderText("VLM-7Q Radio Program data v2.31-beta");
  std::string file = header + RandomBytes(4096, 7);
  file.replace(48 + 0x783, 5, std::string("\x00\x00\x40\x00\x47", 5));  // the UHF model
  dir.write("foreign.7Q", file);
  doc.SetModifiedFlag();
  EXPECT_TRUE(doc.OnOpenDocument(dir.file("foreign.7Q")).ok());
  EXPECT_FALSE(doc.IsModified());
  EXPECT_EQ(doc.GetTitle(), "foreign.7Q");
  EXPECT_EQ(doc.GetBandLimits(), (BandLimits{0, 0, 40000000, 46999500}));

  // Save As writes the bytes exactly as they came, without a question.
  prompts.savePath = dir.file("copy.7Q");
  ASSERT_TRUE(doc.OnFileSaveAs());
  EXPECT_EQ(dir.read("copy.7Q"), file);
  EXPECT_TRUE(prompts.confirms.empty());

  // Save asks with the path appended, then changes only the index fields.
  ASSERT_TRUE(doc.OnSaveCommand());
  ASSERT_EQ(prompts.confirms.size(), 1u);
  EXPECT_EQ(PromptText(prompts.confirms[0]),
            "Overwrite this file with the current data?\n" + dir.file("copy.7Q"));
  const std::string saved = dir.read("copy.7Q");
  ASSERT_EQ(saved.size(), 4144u);
  std::string expected = file;
  expected.replace(48 + 0x7B0, 8, "ZENTORIX");
  expected.replace(48 + 0x7D0, 13, saved.substr(48 + 0x7D0, 13));
  expected[48 + 0x7C7] = saved[48 + 0x7C7];
  expected[48 + 0x7C9] = saved[48 + 0x7C9];
  EXPECT_NE(saved, file);
  EXPECT_EQ(saved, expected);
}

TEST_F(DocTest, HeaderMismatchLeavesAnUntitledZeroDocument) {
  const std::string file = HeaderText("vlm-7Q Radio Program data v1.09") + RandomBytes(4096, 3);
  dir.write("other.bin", file);
  doc.SetPathName(dir.file("before.7Q"));
  EXPECT_EQ(doc.OnOpenDocument(dir.file("other.bin")).status, LoadStatus::HeaderMismatch);
  ASSERT_EQ(prompts.errors.size(), 1u);
  EXPECT_EQ(prompts.errors[0].textKey, "IDS_WARN_LOAD");
  EXPECT_EQ(Image(), std::string(4096, '\0'));
  EXPECT_EQ(Header(), file.substr(0, 48));
  EXPECT_EQ(doc.GetTitle(), "Item");
  EXPECT_FALSE(doc.IsModified());

  // Save cannot reach the foreign file; saved elsewhere it gets a header that opens again.
  EXPECT_FALSE(doc.OnSaveCommand());
  EXPECT_EQ(prompts.proposedNames.back(), "Item");
  EXPECT_EQ(dir.read("other.bin"), file);
  prompts.savePath = dir.file("rescued.7Q");
  ASSERT_TRUE(doc.OnFileSaveAs());
  EXPECT_TRUE(doc.OnOpenDocument(dir.file("rescued.7Q")).ok());

  // Files too short to carry the 25 identifying characters are not project files.
  for (const std::string tiny : {"", "VLM-7Q", "VLM-7Q Radio Program dat"}) {
    dir.write("tiny.7Q", tiny);
    EXPECT_EQ(doc.OnOpenDocument(dir.file("tiny.7Q")).status, LoadStatus::HeaderMismatch);
  }
}

TEST_F(DocTest, ShortAndLongFiles) {
  dir.write("short.7Q", HeaderText("VLM-7Q Radio Program data v1.09") + std::string(52, 'w'));
  ASSERT_TRUE(doc.OnOpenDocument(dir.file("short.7Q")).ok());
  EXPECT_EQ(Image(), std::string(52, 'w') + std::string(4096 - 52, '\0'));

  const std::string full = HeaderText("VLM-7Q Radio Program data") + RandomBytes(4096, 11);
  dir.write("long.7Q", full + "trailing bytes that are ignored");
  ASSERT_TRUE(doc.OnOpenDocument(dir.file("long.7Q")).ok());
  EXPECT_EQ(Header() + Image(), full);
}

TEST_F(DocTest, UnopenableFileGivesANewUntitledDocument) {
  for (const std::string& path : {dir.file("missing.7Q"), dir.path().string()}) {
    doc.SetFmPreset(1, 9);
    doc.SetPathName(dir.file("previous.7Q"));
    prompts.errors.clear();
    const LoadResult loaded = doc.OnOpenDocument(path);
    EXPECT_EQ(loaded.status, LoadStatus::CannotOpen);
    EXPECT_NE(loaded.strError.find(path), std::string::npos);
    ASSERT_EQ(prompts.errors.size(), 1u);
    EXPECT_EQ(PromptText(prompts.errors[0]), loaded.strError);
    EXPECT_EQ(doc.GetPathName(), "");
    EXPECT_EQ(doc.GetFmPreset(1), 0);
    EXPECT_EQ(doc.GetFrequencyText(1, true), "136.00000");  // model 0 defaults
  }
}

TEST_F(DocTest, SaveCommandAndSaveAs) {
  prompts.savePath = dir.file("first.7Q");  // untitled: no question, a name is asked for
  doc.SetModifiedFlag();
  ASSERT_TRUE(doc.OnSaveCommand());
  EXPECT_TRUE(prompts.confirms.empty());
  EXPECT_EQ(prompts.proposedNames, std::vector<std::string>{"Item"});

  // Cancel in the question: nothing written, nothing changes (not even index fields).
  doc.SetFrequencyText(7, true, "150");
  doc.SetModifiedFlag();
  const std::string before = dir.read("first.7Q");
  const std::string image = Image();
  prompts.bConfirmAnswer = false;
  EXPECT_FALSE(doc.OnSaveCommand());
  EXPECT_EQ(dir.read("first.7Q"), before);
  EXPECT_EQ(Image(), image);
  EXPECT_TRUE(doc.IsModified());

  // Save As leaves the index fields stale; Save brings them up to date.
  prompts.bConfirmAnswer = true;
  prompts.savePath = dir.file("as.7Q");
  ASSERT_TRUE(doc.OnFileSaveAs());
  EXPECT_EQ(dir.read("as.7Q")[48 + 0x7D0], 0x01);
  ASSERT_TRUE(doc.OnSaveCommand());
  EXPECT_EQ(dir.read("as.7Q")[48 + 0x7D0], 0x41);
}

TEST_F(DocTest, FailedSavesReportAndKeepTheOldFile) {
  dir.write("keep.7Q", "old contents");
  doc.SetModifiedFlag();
  for (const std::string& path : {dir.file("no/such/folder/x.7Q"), dir.path().string(),
                                  dir.file("keep.7Q") + "/x.7Q", std::string()}) {
    const SaveResult saved = doc.OnSaveDocument(path);
    EXPECT_FALSE(saved.bOk) << path;
    EXPECT_FALSE(saved.strError.empty());
  }
  ASSERT_EQ(prompts.errors.size(), 4u);
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(doc.GetPathName(), "");
  EXPECT_EQ(dir.read("keep.7Q"), "old contents");

  // A successful save keeps the permission bits and leaves no temporary file behind.
  const fs::perms mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
  fs::permissions(dir.file("keep.7Q"), mode);
  ASSERT_TRUE(doc.OnSaveDocument(dir.file("keep.7Q")).bOk);
  EXPECT_EQ(dir.read("keep.7Q").size(), 4144u);
  EXPECT_EQ(fs::status(dir.file("keep.7Q")).permissions() & fs::perms::all, mode);
  for (const auto& entry : fs::directory_iterator(dir.path())) {
    EXPECT_EQ(entry.path().filename().string().find(".tmp"), std::string::npos);
  }
}

TEST_F(DocTest, FrequencyRangeChangeRefreshAndViews) {
  doc.SetPriorityChannel(5);
  doc.SetFmPreset(2, 100);
  doc.m_header[40] = 'x';
  doc.ChangeFrequencyRange(2);
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(viewUpdates, 1);
  EXPECT_EQ(doc.GetFmPreset(2), 0);
  EXPECT_EQ(Header(), HeaderText("VLM-7Q Radio Program data v1.09"));
  EXPECT_EQ(doc.FindModelIndex(), 2);

  // A one-band image read after a two-band model leaves no gap behind.
  doc.m_image.fill(0);
  doc.m_image[0x785] = 0x40;
  doc.m_image[0x787] = 0x47;
  doc.RefreshBandLimits();
  EXPECT_EQ(viewUpdates, 2);
  EXPECT_EQ(doc.GetBandLimits(), (BandLimits{0, 0, 40000000, 46999500}));

  // A model index outside the list writes no band bytes: model 0 limits.
  doc.ChangeFrequencyRange(7);
  EXPECT_EQ(doc.m_image[0x780], 0);
  EXPECT_EQ(doc.GetBandLimits(), (BandLimits{0, 0, 13600000, 17399500}));
}

}  // namespace
}  // namespace qorrin
