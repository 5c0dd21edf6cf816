#include "core/model/CQorrinDoc.h"

#include <algorithm>
#include <map>
#include <random>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include "core/model/ModelTestSupport.h"
#include "core/model/ProjectFile.h"
#include "support/DocumentBytes.h"

namespace qorrin {
namespace {

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
    dir.installDataFiles();  // the shipped model list
    doc.SetPrompts(&prompts);
    doc.AddView([this] { ++viewUpdates; });
    ASSERT_TRUE(doc.OnNewDocument());
    viewUpdates = 0;
  }
  std::string Image() const { return std::string(doc.Image().begin(), doc.Image().end()); }
  std::string Header() const { return std::string(doc.Header().begin(), doc.Header().end()); }

  test::TempDir dir;
  test::RecordingPrompts prompts;
  CQorrinDoc doc;
  int viewUpdates = 0;
};

TEST_F(DocTest, SaveAndNewReportFailuresAskFirstAndCancelChangesNothing) {
  // Failed saves report, leave the document as it was and keep the old file.
  dir.write("kept.7Q", "old contents");
  test::EditAsUser(doc);
  for (const std::string& path : {dir.file("kept.7Q") + "/x.7Q", std::string()}) {
    const SaveResult saved = doc.OnSaveDocument(path);
    EXPECT_FALSE(saved.bOk) << path;
    EXPECT_FALSE(saved.strError.empty());
  }
  EXPECT_EQ(prompts.errors.size(), 2u);
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(dir.read("kept.7Q"), "old contents");

  // Untitled: no question, a name is asked for.
  for (const std::optional<std::string>& cancelled : {std::optional<std::string>{}, std::optional<std::string>{""}}) {
    prompts.savePath = cancelled;
    EXPECT_FALSE(doc.OnSaveCommand());
  }
  prompts.savePath = dir.file("kept.7Q");
  ASSERT_TRUE(doc.OnSaveCommand());
  EXPECT_TRUE(prompts.confirms.empty());  // nor for the first new document
  EXPECT_EQ(prompts.proposedNames, std::vector<std::string>(3, "Item"));  // twice cancelled, then chosen

  // Cancel in either question: nothing written, nothing changes (not even index fields).
  test::Poke(doc, [&](ImageSpan image, const BandLimits& l) { SetFrequencyText(image, l, 7, true, "150"); SetFmPreset(image, 3, 42); });
  test::EditAsUser(doc);
  const std::string file = dir.read("kept.7Q"), image = Image();
  prompts.bConfirmAnswer = false;
  EXPECT_FALSE(doc.OnSaveCommand());
  EXPECT_FALSE(doc.OnNewDocument());
  EXPECT_EQ(prompts.confirms.size(), 2u);
  EXPECT_EQ(prompts.confirms.at(1).textKey, "IDS_WARN_CLEAR");
  EXPECT_EQ(dir.read("kept.7Q"), file);
  EXPECT_EQ(Image(), image);
  EXPECT_EQ(doc.GetTitle(), "kept.7Q");
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(viewUpdates, 0);

  prompts.bConfirmAnswer = true;
  EXPECT_TRUE(doc.OnNewDocument());
  EXPECT_EQ(GetFmPreset(doc.Image(), 3), 0);
  EXPECT_EQ(doc.GetTitle(), "Item");
  EXPECT_EQ(viewUpdates, 1);

  CQorrinDoc quiet;  // no prompt object: later news go ahead silently
  EXPECT_TRUE(quiet.OnNewDocument());
  EXPECT_TRUE(quiet.OnNewDocument());
}

TEST_F(DocTest, LoadSaveRoundTripKeepsAForeignHeader) {
  std::string file = HeaderText("VLM-7Q Radio Program data v2.31-beta") + RandomBytes(4096, 7);
  file.replace(48 + 0x783, 5, std::string("\x00\x00\x40\x00\x47", 5));  // the UHF model
  dir.write("foreign.7Q", file);
  doc.ChangeFrequencyRange(2);  // a two-band model, then a VHF image as the radio gives it
  test::Poke(doc, [](ImageSpan image, const BandLimits&) { std::fill_n(image.begin() + 0x784, 4, 0); });
  doc.RefreshBandLimits();  // no gap stays behind
  EXPECT_EQ(viewUpdates, 2);
  EXPECT_EQ(doc.GetBandLimits(), test::kVhf);

  EXPECT_TRUE(doc.OnOpenDocument(dir.file("foreign.7Q")).ok());
  EXPECT_FALSE(doc.IsModified());
  EXPECT_EQ(doc.GetTitle(), "foreign.7Q");
  EXPECT_EQ(doc.GetBandLimits(), test::kUhf);

  // Save As, and Yes to save changes, write the bytes as they came (stale index fields too).
  prompts.savePath = dir.file("copy.7Q");
  ASSERT_TRUE(doc.Save(CQorrinDoc::SaveCommand::SaveAs));
  EXPECT_EQ(dir.read("copy.7Q"), file);
  dir.write("copy.7Q", "");
  prompts.savePath.reset();
  ASSERT_TRUE(doc.Save(CQorrinDoc::SaveCommand::SaveChanges));
  EXPECT_EQ(dir.read("copy.7Q"), file);
  EXPECT_TRUE(prompts.confirms.empty());
  EXPECT_EQ(prompts.proposedNames.size(), 1u);  // Save As asked, the save-changes answer did not

  // Save asks with the path appended, then changes only the index fields.
  ASSERT_TRUE(doc.OnSaveCommand());
  ASSERT_EQ(prompts.confirms.size(), 1u);
  EXPECT_EQ(PromptText(prompts.confirms[0]),
            "Overwrite this file with the current data?\n" + dir.file("copy.7Q"));
  const std::string saved = dir.read("copy.7Q");
  std::string expected = file;
  expected.replace(48 + 0x7B0, 8, "ZENTORIX");
  expected.replace(48 + 0x7D0, 13, saved.substr(48 + 0x7D0, 13));
  expected[48 + 0x7C7] = saved[48 + 0x7C7];
  expected[48 + 0x7C9] = saved[48 + 0x7C9];
  EXPECT_EQ(saved, expected);
}

TEST_F(DocTest, LoadTakesOnlyProjectFilesAndOnlyWhatTheyHold) {
  // What a failed open must leave exactly as it is: name, edit, modified flag.
  test::Poke(doc, [&](ImageSpan image, const BandLimits&) { SetFmPreset(image, 1, 9); });
  doc.SetPathName(dir.file("before.7Q"));
  test::EditAsUser(doc);
  const std::string kept = Header() + Image();
  auto unchanged = [&] {
    return Header() + Image() == kept && doc.GetPathName() == dir.file("before.7Q") && doc.IsModified();
  };

  const std::string foreign = HeaderText("vlm-7Q Radio Program data v1.09") + RandomBytes(4096, 3);
  dir.write("other.bin", foreign);
  EXPECT_EQ(doc.OnOpenDocument(dir.file("other.bin")).status, LoadStatus::HeaderMismatch);
  EXPECT_EQ(prompts.errors.at(0).textKey, "IDS_WARN_LOAD");
  EXPECT_TRUE(unchanged());
  // Files too short to carry the 25 identifying characters are not project files.
  for (const std::string tiny : {"", "VLM-7Q", "VLM-7Q Radio Program dat"}) {
    dir.write("tiny.7Q", tiny);
    EXPECT_EQ(doc.OnOpenDocument(dir.file("tiny.7Q")).status, LoadStatus::HeaderMismatch);
    EXPECT_TRUE(unchanged());
  }
  // A file that cannot be read says why and changes nothing either.
  const std::string missing = dir.file("missing.7Q");
  const LoadResult loaded = doc.OnOpenDocument(missing);
  EXPECT_EQ(loaded.status, LoadStatus::CannotOpen);
  EXPECT_NE(loaded.strError.find(missing), std::string::npos);
  EXPECT_EQ(PromptText(prompts.errors.back()), loaded.strError);
  EXPECT_TRUE(unchanged());
  EXPECT_TRUE(ReadProjectFile(missing).bFileMissing);
  EXPECT_FALSE(ReadProjectFile(dir.file("other.bin")).bFileMissing);
  // A FIFO or a device is refused at once instead of hanging; a folder says what it is.
  const std::string fifo = dir.file("pipe.7Q");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  for (const std::string& path : {fifo, std::string("/dev/zero")}) {
    const LoadResult result = doc.OnOpenDocument(path);
    EXPECT_EQ(result.status, LoadStatus::CannotOpen) << path;
    EXPECT_EQ(result.strError, "cannot open " + path + ": not a regular file");
  }
  EXPECT_EQ(doc.OnOpenDocument(dir.path().string()).strError, "cannot open " + dir.path().string() + ": Is a directory");
  EXPECT_TRUE(unchanged());
  EXPECT_EQ(viewUpdates, 0);

  // A short file loads what it holds, warns how much is missing and counts as modified.
  for (auto [size, n, warning] : {std::tuple{52u, 0u, "4044 of its 4144 bytes are missing."},
                                  {4095u, 1u, "1 of its 4144 bytes is missing."}}) {
    dir.write("short.7Q", HeaderText("VLM-7Q Radio Program data v1.09") + std::string(size, 'w'));
    const LoadResult shortFile = doc.OnOpenDocument(dir.file("short.7Q"));
    ASSERT_TRUE(shortFile.ok());
    EXPECT_EQ(shortFile.nMissingBytes, 4096u - size);
    EXPECT_EQ(Image(), std::string(size, 'w') + std::string(4096 - size, '\0'));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.GetPathName(), dir.file("short.7Q"));
    const std::string expected = std::string("This file is incomplete: ") + warning;
    ASSERT_EQ(prompts.warnings.size(), n + 1);
    EXPECT_EQ(PromptText(prompts.warnings[n]).substr(0, expected.size()), expected);
  }

  // A complete file opens unmodified, without a word; bytes past 4144 are ignored.
  const std::string full = HeaderText("VLM-7Q Radio Program data") + RandomBytes(4096, 11);
  dir.write("long.7Q", full + "trailing bytes that are ignored");
  ASSERT_TRUE(doc.OnOpenDocument(dir.file("long.7Q")).ok());
  EXPECT_EQ(Header() + Image(), full);
  EXPECT_FALSE(doc.IsModified());
  EXPECT_EQ(prompts.warnings.size(), 2u);
}

// Keyed by band code, so the test follows the shipped list whatever order it takes.
struct NewFile {
  std::array<std::uint8_t, 8> band;
  bool lower, upper;  // channel 1 and VFO A at 136 MHz for a lower band, VFO B at 400 MHz
};
const std::map<std::string, NewFile> kNewFiles = {
    {"60134017", {{0x60, 0x13, 0x40, 0x17, 0, 0, 0, 0}, true, false}},
    {"00400047", {{0, 0, 0, 0, 0x00, 0x40, 0x00, 0x47}, false, true}},
    {"6013401700400047", {{0x60, 0x13, 0x40, 0x17, 0x00, 0x40, 0x00, 0x47}, true, true}},
    {"00400048", {{0, 0, 0, 0, 0x00, 0x40, 0x00, 0x48}, false, true}},
    {"6013401700400048", {{0x60, 0x13, 0x40, 0x17, 0x00, 0x40, 0x00, 0x48}, true, true}},
};

std::string ExpectedNewFile(const NewFile& m) {
  std::string file = HeaderText("VLM-7Q Radio Program data v1.09") + std::string(4096, '\0');
  const std::string none(4, '\xFF'), k136("\x00\x00\x60\x13", 4), k400("\x00\x00\x00\x40", 4);
  auto put = [&](int record, const std::string& rx, bool vfo) {  // a cleared record
    const std::size_t at = 48 + static_cast<std::size_t>(record) * 16;
    file.replace(at, 4, rx);
    file.replace(at + 5, 4, rx == none ? none : std::string(4, '\0'));  // offset 000.00000
    file[at + 10] = '\xC0';
    if (!vfo) file.replace(at + 12, 4, none);  // name
  };
  put(1, m.lower ? k136 : k400, false);
  for (int n = 2; n <= 99; ++n) put(n, none, false);
  put(121, m.upper ? k400 : none, true);
  put(122, m.lower ? k136 : none, true);
  file.replace(48 + 0x780, 8, std::string(m.band.begin(), m.band.end()));
  file.replace(48 + 0x7B0, 8, "ZENTORIX");
  file.replace(48 + 0x7C0, 12, std::string("\x76\x95\x05\x05\x06\x80\x48\0\0\0\0\x05", 12));
  file[48 + 0x7D0] = 0x01;  // channel 1 in use; first channel 0 and first preset 0 stay 0
  return file;
}

// A read from the radio replaces only what travels and takes the new model's band limits.
TEST_F(DocTest, ReplaceImageTakesTheLinkedPartAndItsBandLimits) {
  test::EditAsUser(doc);
  doc.SetPathName(dir.file("a.7Q"));
  const auto before = doc.Image();
  ASSERT_EQ(doc.GetBandLimits(), test::kVhf);

  CQorrinDoc other;
  ASSERT_TRUE(other.OnNewDocument());
  other.ChangeFrequencyRange(1);  // the UHF model
  auto read = other.Image();
  for (std::size_t i = kLinkedImageSize; i < kImageSize; ++i) read[i] = 0xA5;
  doc.ReplaceImage(read);

  std::copy(before.begin() + kLinkedImageSize, before.end(), read.begin() + kLinkedImageSize);
  EXPECT_EQ(doc.Image(), read);
  EXPECT_EQ(doc.GetBandLimits(), test::kUhf);
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(doc.GetPathName(), dir.file("a.7Q"));
  EXPECT_EQ(viewUpdates, 0);
}

// Each shipped model in turn, saved at once: byte-exact whatever the one before left behind, and
// recognised as itself again (the last match wins: two-band entries follow their one-band ones).
TEST_F(DocTest, NewProjectFileIsByteExactForEveryShippedModel) {
  const std::vector<ModelEntry> models = ListModels();
  for (const ModelEntry& model : models) {
    SCOPED_TRACE(model.strCode);
    const auto expected = kNewFiles.find(model.strCode);
    ASSERT_NE(expected, kNewFiles.end()) << "no expectation for shipped code " << model.strCode;
    if (model.nIndex != 0) doc.ChangeFrequencyRange(model.nIndex);
    EXPECT_EQ(doc.FindModelIndex(), model.nIndex);
    EXPECT_EQ(doc.IsModified(), model.nIndex != 0);
    const std::string name = "new" + std::to_string(model.nIndex) + ".7Q";
    ASSERT_TRUE(doc.OnSaveDocument(dir.file(name), CQorrinDoc::IndexFieldsOnSave::Update).bOk);
    const std::string written = dir.read(name), want = ExpectedNewFile(expected->second);
    ASSERT_EQ(written.size(), want.size());
    const auto diff = std::mismatch(want.begin(), want.end(), written.begin()).first;
    EXPECT_EQ(diff, want.end()) << "first difference at file offset " << (diff - want.begin());
    EXPECT_FALSE(doc.IsModified());
    test::Poke(doc, [&](ImageSpan image, const BandLimits&) { SetFmPreset(image, 2, 100); });  // left for the next model to clear
    std::vector<std::uint8_t> reloaded(doc.Header().begin(), doc.Header().end());
    reloaded[40] = 'x';  // a header byte for the next model to clear
    reloaded.insert(reloaded.end(), doc.Image().begin(), doc.Image().end());
    doc.SerializeLoad(reloaded);
  }
}

// Arbitrary bytes read inside every accessor's range; records outside 1..122 read empty, write nothing.
TEST_F(DocTest, ArbitraryImagesReadInsideTheirRanges) {
  std::mt19937 gen(20240611);
  for (int round = 0; round < 60; ++round) {
    std::string file = "VLM-7Q Radio Program data";
    file.resize(4144);
    for (std::size_t i = 25; i < file.size(); ++i) {  // every third round: edge values
      const unsigned r = gen();
      file[i] = static_cast<char>(round % 3 ? r & 0xFF : (r & 1 ? 0xFF : 0x99 + (r >> 8) % 3));
    }
    ASSERT_EQ(doc.SerializeLoad(std::span(reinterpret_cast<const std::uint8_t*>(file.data()),
                                          file.size())), LoadStatus::Ok);
    for (int record = -2; record <= 125; ++record) {
      for (bool rx : {true, false}) {
        EXPECT_LE(static_cast<unsigned>(GetToneCode(doc.Image(), record, rx)), 258u);
        EXPECT_LE(GetFrequencyText(doc.Image(), record, rx).size(), 9u);
      }
      EXPECT_EQ(GetFrequencyText(doc.Image(), record, true).empty(), IsRecordEmpty(doc.Image(), record));
      EXPECT_LE(GetTransmitFrequencyText(doc.Image(), record).size(), 10u);
      if (record < 1 || record > 122) {
        EXPECT_TRUE(IsRecordEmpty(doc.Image(), record)) << record;
        EXPECT_EQ(GetRecordBytes(doc.Image(), record), RecordBytes{});
      }
    }

    // Writes outside 1..122 and the bookkeeping step touch nothing but the index fields.
    const auto before = doc.Image();
    for (int record : {-1, 0, 123, 100000}) {
      test::Poke(doc, [&](ImageSpan image, const BandLimits& limits) {
        SetFrequencyText(image, limits, record, true, "446");
        SetToneCode(image, record, false, 200);
        SetShiftDirection(image, record, 2);
        SetStepIndex(image, record, 1);
        SetChannelName(image, record, "AB");
        UpdateNamePresentBit(image, record);
      });
    }
    doc.UpdateIndexFields();
    for (std::size_t i = 0; i < kImageSize; ++i) {
      const bool index = (i >= 0x7B0 && i < 0x7B8) || i == 0x7C7 || i == 0x7C9 ||
                         (i >= 0x7D0 && i <= 0x7DC);
      if (!index) {
        ASSERT_EQ(doc.Image()[i], before[i]) << i;
      }
    }
  }
}

}  // namespace
}  // namespace qorrin

// The header as dump and diff show it: unambiguous, even with an escape-like text in it.
TEST(ProjectHeaderText, EscapesWhatIsNotPlainAndStopsAtNul) {
  const std::uint8_t header[] = {'V', '\\', 'x', '4', '1', 0x7F, 0x01, ' ', '~', 'A', 0, 'Z'};
  EXPECT_EQ(qorrin::ProjectHeaderText(header), "V\\x5Cx41\\x7F\\x01 ~A");  // space and tilde are plain
  EXPECT_EQ(qorrin::ProjectHeaderText({}), "");
}
