#pragma once
// Channel-table tests: a document on the shipped data files, records as hex ("00 10 61 44 ...").
#include <cstdio>
#include <string>

#include <gtest/gtest.h>

#include "core/model/CQorrinDoc.h"
#include "core/settings/AppPaths.h"
#include "support/TestSupport.h"
#include "support/DocumentBytes.h"

namespace qorrin::test {

// A cleared channel record, as hex text.
inline constexpr char kEmptyRecord[] = "FF FF FF FF 00 FF FF FF FF 00 C0 00 FF FF FF FF";

class ChannelTableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir.installDataFiles();
    ASSERT_TRUE(doc.OnNewDocument());  // model 0: 136-174 MHz
  }

  // Rewrites setting.ini's [setup] name line; nullptr leaves the key out.
  void UseNameSetting(const char* value) {
    std::string ini = dir.read("setting.ini");
    if (const std::size_t at = ini.find("\nname="); at != std::string::npos) {
      ini.erase(at + 1, ini.find('\n', at + 1) - at);
    }
    if (value != nullptr) {
      ini.insert(ini.find("[setup]\n") + 8, std::string("name=") + value + "\n");
    }
    dir.write("setting.ini", ini);
  }

  std::string Record(int row) const {
    std::string hex;
    for (std::uint8_t b : GetRecordBytes(doc.Image(), row)) {
      char buf[4];
      std::snprintf(buf, sizeof buf, hex.empty() ? "%02X" : " %02X", b);
      hex += buf;
    }
    return hex;
  }
  void SetRecord(int row, const std::string& hex) {
    for (std::size_t i = 0; i < kRecordSize; ++i) {
      SetByte(doc, *RecordOffset(row) + i, static_cast<std::uint8_t>(std::stoul(hex.substr(i * 3, 2), nullptr, 16)));
    }
  }

  // Saves to a file, so the test sees whether what comes next marks the document modified.
  void SaveAside() { ASSERT_TRUE(doc.OnSaveDocument(dir.file("saved.7Q")).bOk); }

  TempDir dir;
  CQorrinDoc doc;
};

}  // namespace qorrin::test
