#include "core/model/CQorrinDoc.h"

#include <filesystem>
#include <random>

#include <gtest/gtest.h>

#include "core/model/ModelTestSupport.h"

namespace qorrin {
namespace {

namespace fs = std::filesystem;
using test::RecordingPrompts;
using test::TempDir;
using test::UseModelInfo;

const std::vector<std::string> kModels = {"60134017", "00400047", "6013401700400047"};

std::string HeaderText(const std::string& text) {
  std::string header = text;
  header.resize(48, '\0');
  return header;
}

std::string RandomBytes(std::size_t n, unsigned seed) {
  std::mt19937 gen(seed);
  std::string s(n, '\0');
  for (char& c : s) c = static_cast<char>(gen() & 0xFF);
  return s;
}

std::string ImageOf(const CQorrinDoc& doc) { return std::string(doc.m_image.begin(), doc.m_image.end()); }
std::string HeaderOf(const CQorrinDoc& doc) { return std::string(doc.m_header.begin(), doc.m_header.end()); }

class DocTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir.installDataFiles();
    UseModelInfo(dir, kModels);
    doc.SetPrompts(&prompts);
    doc.AddView([this] { ++viewUpdates; });
    ASSERT_TRUE(doc.OnNewDocument());
    viewUpdates = 0;
  }
  TempDir dir;
  RecordingPrompts prompts;
  CQorrinDoc doc;
  int viewUpdates = 0;
};

TEST_F(DocTest, NewDocumentIsSilentFirstThenAsks) {
  EXPECT_TRUE(prompts.confirms.empty());  // the first one asked nothing
  EXPECT_EQ(doc.GetTitle(), "Item");
  EXPECT_EQ(doc.GetFrequencyText(1, true), "136.00000");

  // Cancel leaves everything as it was: image, path, modified flag, views.
  doc.SetFmPreset(3, 42);
  doc.SetPathName(dir.file("kept.7Q"));
  doc.SetModifiedFlag();
  const std::string image = ImageOf(doc);
  prompts.bConfirmAnswer = false;
  EXPECT_FALSE(doc.OnNewDocument());
  ASSERT_EQ(prompts.confirms.size(), 1u);
  EXPECT_EQ(prompts.confirms[0].kind, PromptKind::WarnClear);
  EXPECT_EQ(prompts.confirms[0].textKey, "IDS_WARN_CLEAR");
  EXPECT_EQ(prompts.confirms[0].captionKey, "IDS_PROMPT");
  EXPECT_EQ(PromptCaption(prompts.confirms[0]), "Warning");
  EXPECT_EQ(ImageOf(doc), image);
  EXPECT_EQ(doc.GetPathName(), dir.file("kept.7Q"));
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(viewUpdates, 0);

  prompts.bConfirmAnswer = true;
  EXPECT_TRUE(doc.OnNewDocument());
  EXPECT_EQ(doc.GetFmPreset(3), 0);
  EXPECT_EQ(doc.GetPathName(), "");
  EXPECT_FALSE(doc.IsModified());
  EXPECT_EQ(viewUpdates, 1);

  // Without a prompt object (the command-line tool) later news go ahead silently.
  CQorrinDoc quiet;
  EXPECT_TRUE(quiet.OnNewDocument());
  EXPECT_TRUE(quiet.OnNewDocument());
}

TEST_F(DocTest, LoadSaveRoundTripKeepsAForeignHeader) {
  const std::string header = HeaderText("VLM-7Q Radio Program data v2.31-beta") ;
  std::string file = header + RandomBytes(4096, 7);
  file[48 + 0x784] = 0x00;  // a UHF model's band bytes
  file[48 + 0x785] = 0x40;
  file[48 + 0x786] = 0x00;
  file[48 + 0x787] = 0x47;
  file[48 + 0x783] = 0x00;  // and no VHF match
  dir.write("foreign.7Q", file);

  doc.SetModifiedFlag();
  const LoadResult loaded = doc.OnOpenDocument(dir.file("foreign.7Q"));
  EXPECT_TRUE(loaded.ok());
  EXPECT_TRUE(prompts.errors.empty());
  EXPECT_FALSE(doc.IsModified());
  EXPECT_EQ(doc.GetTitle(), "foreign.7Q");
  EXPECT_EQ(HeaderOf(doc), header);
  EXPECT_EQ(doc.GetBandLimits(), (BandLimits{0, 0, 40000000, 46999500}));
  EXPECT_EQ(viewUpdates, 1);

  // Save As: the bytes go out exactly as they came in.
  prompts.savePath = dir.file("copy.7Q");
  ASSERT_TRUE(doc.OnFileSaveAs());
  EXPECT_EQ(prompts.proposedNames.back(), "foreign.7Q");
  EXPECT_EQ(dir.read("copy.7Q"), file);
  EXPECT_TRUE(prompts.confirms.empty());  // no IDS_WARN_SAVE for Save As
  EXPECT_EQ(doc.GetPathName(), dir.file("copy.7Q"));

  // Save: asks with the path appended, then updates the index fields; the header stays.
  ASSERT_TRUE(doc.OnSaveCommand());
  ASSERT_EQ(prompts.confirms.size(), 1u);
  EXPECT_EQ(prompts.confirms[0].kind, PromptKind::WarnSave);
  EXPECT_EQ(prompts.confirms[0].appendix, dir.file("copy.7Q"));
  EXPECT_EQ(PromptText(prompts.confirms[0]),
            "Overwrite this file with the current data?\n" + dir.file("copy.7Q"));
  const std::string saved = dir.read("copy.7Q");
  ASSERT_EQ(saved.size(), 4144u);
  EXPECT_EQ(saved.substr(0, 48), header);
  EXPECT_NE(saved, file);
  EXPECT_EQ(saved.substr(48 + 0x7B0, 8), "ZENTORIX");
  // Only the index fields differ.
  std::string expected = file;
  expected.replace(48 + 0x7B0, 8, "ZENTORIX");
  expected.replace(48 + 0x7D0, 13, saved.substr(48 + 0x7D0, 13));
  expected[48 + 0x7C7] = saved[48 + 0x7C7];
  expected[48 + 0x7C9] = saved[48 + 0x7C9];
  EXPECT_EQ(saved, expected);
}

TEST_F(DocTest, HeaderMismatchLeavesAnUntitledZeroDocument) {
  std::string file = HeaderText("vlm-7Q Radio Program data v1.09") + RandomBytes(4096, 3);
  dir.write("other.bin", file);
  doc.SetPathName(dir.file("before.7Q"));
  const LoadResult loaded = doc.OnOpenDocument(dir.file("other.bin"));
  EXPECT_EQ(loaded.status, LoadStatus::HeaderMismatch);
  ASSERT_EQ(prompts.errors.size(), 1u);
  EXPECT_EQ(prompts.errors[0].kind, PromptKind::WarnLoad);
  EXPECT_EQ(prompts.errors[0].textKey, "IDS_WARN_LOAD");
  EXPECT_EQ(ImageOf(doc), std::string(4096, '\0'));
  EXPECT_EQ(HeaderOf(doc), file.substr(0, 48));
  EXPECT_EQ(doc.GetPathName(), "");
  EXPECT_EQ(doc.GetTitle(), "Item");
  EXPECT_FALSE(doc.IsModified());
  EXPECT_EQ(doc.GetBandLimits(), (BandLimits{0, 0, 13600000, 17399500}));  // model 0

  // Save cannot reach the foreign file: it asks for a new name, and cancelling writes nothing.
  prompts.savePath.reset();
  EXPECT_FALSE(doc.OnSaveCommand());
  EXPECT_EQ(prompts.proposedNames.back(), "Item");
  EXPECT_EQ(dir.read("other.bin"), file);
  // Saved under a new name, the document gets the program's header, so the file opens.
  prompts.savePath = dir.file("rescued.7Q");
  ASSERT_TRUE(doc.OnFileSaveAs());
  EXPECT_EQ(dir.read("rescued.7Q").substr(0, 48), HeaderText("VLM-7Q Radio Program data v1.09"));
  EXPECT_TRUE(doc.OnOpenDocument(dir.file("rescued.7Q")).ok());

  // Files too short to carry the identification are not project files either.
  for (const std::string& tiny : {std::string(), std::string("VLM-7Q"),
                                  std::string("VLM-7Q Radio Program dat")}) {
    dir.write("tiny.7Q", tiny);
    EXPECT_EQ(doc.OnOpenDocument(dir.file("tiny.7Q")).status, LoadStatus::HeaderMismatch)
        << tiny.size();
  }
}

TEST_F(DocTest, ShortAndLongFiles) {
  std::string file = HeaderText("VLM-7Q Radio Program data v1.09") + std::string(52, '\x77');
  dir.write("short.7Q", file);
  ASSERT_TRUE(doc.OnOpenDocument(dir.file("short.7Q")).ok());
  EXPECT_EQ(ImageOf(doc), std::string(52, '\x77') + std::string(4096 - 52, '\0'));

  // Exactly the 25 identifying characters: a valid, empty project.
  dir.write("id.7Q", "VLM-7Q Radio Program data");
  ASSERT_TRUE(doc.OnOpenDocument(dir.file("id.7Q")).ok());
  EXPECT_EQ(ImageOf(doc), std::string(4096, '\0'));

  const std::string full = HeaderText("VLM-7Q Radio Program data") + RandomBytes(4096, 11);
  dir.write("long.7Q", full + "trailing bytes that are ignored");
  ASSERT_TRUE(doc.OnOpenDocument(dir.file("long.7Q")).ok());
  EXPECT_EQ(HeaderOf(doc) + ImageOf(doc), full);
  prompts.savePath = dir.file("long-copy.7Q");
  ASSERT_TRUE(doc.OnFileSaveAs());
  EXPECT_EQ(dir.read("long-copy.7Q"), full);
}

TEST_F(DocTest, UnopenableFileGivesANewUntitledDocument) {
  doc.SetFmPreset(1, 9);
  doc.SetPathName(dir.file("previous.7Q"));
  for (const std::string& path : {dir.file("missing.7Q"), dir.path().string()}) {
    prompts.errors.clear();
    const LoadResult loaded = doc.OnOpenDocument(path);
    EXPECT_EQ(loaded.status, LoadStatus::CannotOpen) << path;
    EXPECT_NE(loaded.strError.find(path), std::string::npos);
    ASSERT_EQ(prompts.errors.size(), 1u);
    EXPECT_EQ(prompts.errors[0].kind, PromptKind::FileOpenFailed);
    EXPECT_EQ(PromptText(prompts.errors[0]), loaded.strError);
    EXPECT_EQ(doc.GetPathName(), "");
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.GetFmPreset(1), 0);
    EXPECT_EQ(doc.GetFrequencyText(1, true), "136.00000");  // model 0 defaults
  }
}

TEST_F(DocTest, SaveCommandQuestionsAndIndexUpdate) {
  // Untitled: no question, a file name is asked for with the title proposed.
  prompts.savePath = dir.file("first.7Q");
  doc.SetModifiedFlag();
  ASSERT_TRUE(doc.OnSaveCommand());
  EXPECT_TRUE(prompts.confirms.empty());
  EXPECT_EQ(prompts.proposedNames, std::vector<std::string>{"Item"});
  EXPECT_FALSE(doc.IsModified());
  EXPECT_EQ(doc.GetTitle(), "first.7Q");

  // Cancel in the question: nothing written, nothing changes (not even index fields).
  doc.SetFrequencyText(7, true, "150");
  doc.SetModifiedFlag();
  const std::string before = dir.read("first.7Q");
  const std::string image = ImageOf(doc);
  prompts.bConfirmAnswer = false;
  EXPECT_FALSE(doc.OnSaveCommand());
  EXPECT_EQ(dir.read("first.7Q"), before);
  EXPECT_EQ(ImageOf(doc), image);
  EXPECT_TRUE(doc.IsModified());

  // Save As of the unchanged document differs from Save: no index update.
  prompts.bConfirmAnswer = true;
  prompts.savePath = dir.file("as.7Q");
  ASSERT_TRUE(doc.OnFileSaveAs());
  EXPECT_EQ(dir.read("as.7Q")[48 + 0x7D0], 0x01);  // channel 7 not yet in the bitmap
  ASSERT_TRUE(doc.OnSaveCommand());
  EXPECT_EQ(dir.read("as.7Q")[48 + 0x7D0], 0x41);
}

TEST_F(DocTest, FailedSavesReportAndKeepTheOldFile) {
  dir.write("keep.7Q", "old contents");
  ASSERT_TRUE(doc.OnOpenDocument(dir.file("missing.7Q")).status == LoadStatus::CannotOpen);
  prompts.errors.clear();
  doc.SetModifiedFlag();
  for (const std::string& path : {dir.file("no/such/folder/x.7Q"), dir.path().string(),
                                  dir.file("keep.7Q") + "/x.7Q", std::string()}) {
    const SaveResult saved = doc.OnSaveDocument(path);
    EXPECT_FALSE(saved.bOk) << path;
    EXPECT_FALSE(saved.strError.empty());
  }
  EXPECT_EQ(prompts.errors.size(), 4u);
  EXPECT_EQ(prompts.errors[0].kind, PromptKind::FileWriteFailed);
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(doc.GetPathName(), "");
  EXPECT_EQ(dir.read("keep.7Q"), "old contents");
  EXPECT_TRUE(fs::is_directory(dir.path()));

  // A successful save replaces the file, keeps its permission bits and leaves no
  // temporary file behind.
  fs::permissions(dir.file("keep.7Q"), fs::perms::owner_read | fs::perms::owner_write |
                                           fs::perms::group_read);
  ASSERT_TRUE(doc.OnSaveDocument(dir.file("keep.7Q")).bOk);
  EXPECT_EQ(dir.read("keep.7Q").size(), 4144u);
  EXPECT_EQ(fs::status(dir.file("keep.7Q")).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  int entries = 0;
  for (const auto& entry : fs::directory_iterator(dir.path())) {
    EXPECT_EQ(entry.path().filename().string().find(".tmp"), std::string::npos);
    ++entries;
  }
  EXPECT_GT(entries, 0);
}

TEST_F(DocTest, FrequencyRangeChangeAndRefresh) {
  doc.SetPriorityChannel(5);
  doc.SetFmPreset(2, 100);
  doc.SetSquelch(1);
  doc.m_header[40] = 'x';
  doc.ChangeFrequencyRange(2);
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(viewUpdates, 1);
  EXPECT_EQ(doc.GetPriorityChannel(), 0);
  EXPECT_EQ(doc.GetFmPreset(2), 0);
  EXPECT_EQ(doc.GetSquelch(), 5);
  EXPECT_EQ(HeaderOf(doc), HeaderText("VLM-7Q Radio Program data v1.09"));
  EXPECT_EQ(doc.FindModelIndex(), 2);
  EXPECT_EQ(doc.m_nSplitLow, 17400000);
  EXPECT_EQ(doc.GetFrequencyText(121, true), "400.00000");
  EXPECT_EQ(doc.GetFrequencyText(122, true), "136.00000");

  // A one-band image read after a two-band model leaves no gap behind.
  doc.m_image.fill(0);
  doc.m_image[0x784] = 0x00;
  doc.m_image[0x785] = 0x40;
  doc.m_image[0x786] = 0x00;
  doc.m_image[0x787] = 0x47;
  doc.RefreshBandLimits();
  EXPECT_EQ(viewUpdates, 2);
  EXPECT_EQ(doc.GetBandLimits(), (BandLimits{0, 0, 40000000, 46999500}));

  // Model index outside the list: no band bytes, fallback to model 0 limits.
  doc.ChangeFrequencyRange(7);
  EXPECT_EQ(doc.FindModelIndex(), 0);
  EXPECT_EQ(doc.m_image[0x780], 0);
  EXPECT_EQ(doc.GetBandLimits(), (BandLimits{0, 0, 13600000, 17399500}));
}

TEST_F(DocTest, ViewsCanBeRemoved) {
  int other = 0;
  const int id = doc.AddView([&] { ++other; });
  doc.UpdateAllViews();
  doc.RemoveView(id);
  doc.UpdateAllViews();
  EXPECT_EQ(other, 1);
  EXPECT_EQ(viewUpdates, 2);
}

TEST_F(DocTest, GapFrequenciesAreStoredAtTheMinimum) {
  doc.ChangeFrequencyRange(2);
  EXPECT_EQ(doc.CheckFrequencyRange("300"), 0);
  doc.SetFrequencyText(10, true, "300");
  EXPECT_EQ(doc.GetFrequencyText(10, true), "136.00000");
  doc.SetFrequencyText(10, true, "174");
  EXPECT_EQ(doc.GetFrequencyText(10, true), "174.00000");
  EXPECT_EQ(doc.CheckFrequencyRange("470"), 1);
  EXPECT_EQ(doc.GetLimitText(doc.CheckFrequencyRange("470")), "469.99500");
}

}  // namespace
}  // namespace qorrin
