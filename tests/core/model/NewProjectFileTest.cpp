// A new document saved at once, byte for byte, for every model that setting.ini ships.
#include <array>
#include <map>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "core/model/CQorrinDoc.h"
#include "support/TestSupport.h"

namespace qorrin {
namespace {

using Bytes4 = std::array<std::uint8_t, 4>;

struct ExpectedModel {
  std::array<std::uint8_t, 8> band;
  Bytes4 channel1;
  std::optional<Bytes4> vfoA;  // record 122
  std::optional<Bytes4> vfoB;  // record 121
};

constexpr Bytes4 k136{0x00, 0x00, 0x60, 0x13};
constexpr Bytes4 k400{0x00, 0x00, 0x00, 0x40};

// Keyed by band code, so the test follows the shipped list whatever order it takes.
const std::map<std::string, ExpectedModel> kExpected = {
    {"60134017", {{0x60, 0x13, 0x40, 0x17, 0, 0, 0, 0}, k136, k136, std::nullopt}},
    {"00400047", {{0, 0, 0, 0, 0x00, 0x40, 0x00, 0x47}, k400, std::nullopt, k400}},
    {"6013401700400047", {{0x60, 0x13, 0x40, 0x17, 0x00, 0x40, 0x00, 0x47}, k136, k136, k400}},
    {"00400048", {{0, 0, 0, 0, 0x00, 0x40, 0x00, 0x48}, k400, std::nullopt, k400}},
    {"6013401700400048", {{0x60, 0x13, 0x40, 0x17, 0x00, 0x40, 0x00, 0x48}, k136, k136, k400}},
};

void PutRecord(std::string& file, int record, const std::optional<Bytes4>& rx, bool vfo) {
  const std::size_t at = 48 + static_cast<std::size_t>(record) * 16;
  for (std::size_t i = 0; i < 4; ++i) {
    file[at + i] = static_cast<char>(rx ? (*rx)[i] : 0xFF);       // receive
    file[at + 5 + i] = static_cast<char>(rx ? 0x00 : 0xFF);        // offset 000.00000
    file[at + 12 + i] = static_cast<char>(vfo ? 0x00 : 0xFF);      // name
  }
  file[at + 10] = static_cast<char>(0xC0);
}

std::string ExpectedFile(const ExpectedModel& m) {
  std::string file(4144, '\0');
  file.replace(0, 31, "VLM-7Q Radio Program data v1.09");
  for (std::size_t i = 0; i < 8; ++i) file[48 + 0x780 + i] = static_cast<char>(m.band[i]);
  PutRecord(file, 1, m.channel1, false);
  for (int n = 2; n <= 99; ++n) PutRecord(file, n, std::nullopt, false);
  PutRecord(file, 121, m.vfoB, true);
  PutRecord(file, 122, m.vfoA, true);
  file.replace(48 + 0x7B0, 8, "ZENTORIX");
  const char options[] = {0x76, static_cast<char>(0x95), 0x05, 0x05, 0x06, static_cast<char>(0x80),
                          0x48, 0x00, 0x00, 0x00, 0x00, 0x05};
  file.replace(48 + 0x7C0, sizeof options, options, sizeof options);
  file[48 + 0x7D0] = 0x01;  // channel 1 in use; first channel 0 and first preset 0 stay 0
  return file;
}

TEST(NewProjectFile, IsByteExactForEveryShippedModel) {
  test::TempDir dir;
  dir.installDataFiles();
  const std::vector<ModelEntry> models = ListModels();
  ASSERT_FALSE(models.empty());
  for (const ModelEntry& model : models) {
    SCOPED_TRACE(model.strCode);
    const auto expected = kExpected.find(model.strCode);
    ASSERT_NE(expected, kExpected.end()) << "no expectation for shipped code " << model.strCode;

    CQorrinDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    if (model.nIndex != 0) doc.ChangeFrequencyRange(model.nIndex);
    EXPECT_EQ(doc.FindModelIndex(), model.nIndex);
    const std::string name = "new" + std::to_string(model.nIndex) + ".7Q";
    ASSERT_TRUE(doc.SaveWithIndexFields(dir.file(name)).bOk);
    const std::string written = dir.read(name);
    ASSERT_EQ(written.size(), 4144u);
    const std::string want = ExpectedFile(expected->second);
    for (std::size_t i = 0; i < want.size(); ++i) {
      ASSERT_EQ(static_cast<int>(static_cast<std::uint8_t>(written[i])),
                static_cast<int>(static_cast<std::uint8_t>(want[i])))
          << "file offset " << i;
    }
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.GetTitle(), name);
  }
}

}  // namespace
}  // namespace qorrin
