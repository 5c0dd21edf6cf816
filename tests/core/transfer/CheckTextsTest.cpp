// The words of the connection check in both languages, bytes as sent, cable chips by name.
#include <gtest/gtest.h>

#include <set>

#include "core/lang/ConnectionCheckKeys.h"
#include "core/lang/LangText.h"
#include "core/link/CableChips.h"
#include "core/transfer/CheckTexts.h"
#include "core/transfer/DeviceFindings.h"

namespace qorrin {
namespace {

// A translation that loses a "%N" loses the device or program the sentence is about.
TEST(CheckTexts, EveryLanguageFillsTheSameValuesIntoEachSentence) {
  auto placeholders = [](const std::string& text) {
    std::set<std::string> found;
    for (std::size_t at = text.find('%'); at != std::string::npos; at = text.find('%', at + 1)) {
      if (at + 1 < text.size() && text[at + 1] >= '1' && text[at + 1] <= '9') found.insert(text.substr(at, 2));
    }
    return found;
  };
  const std::string english = std::string(QORRIN_DATA_DIR) + "/english.lang";
  const std::string chinese = std::string(QORRIN_DATA_DIR) + "/chinese.lang";
  for (const std::string& key : ConnectionCheckKeys()) {
    EXPECT_EQ(placeholders(LoadLangStringFrom(chinese, key)), placeholders(LoadLangStringFrom(english, key))) << key;
  }
  EXPECT_EQ(FillValues("%2 on %1, %3 and 100%", {"COM3", "a radio"}), "a radio on COM3, %3 and 100%");
  EXPECT_EQ(CheckTexts(english).FixLine("Plug it in."), "Fix: Plug it in.");
  const CheckTexts texts(chinese);
  EXPECT_EQ(texts.FixLine("请插好。"), "解决办法：请插好。");
  EXPECT_EQ(texts.Text("IDS_CHECK_HELD_TERMINAL", {"/dev/ttyUSB0", "minicom", "314"}),
            "终端程序 minicom（进程 314）打开了 /dev/ttyUSB0。");
}

TEST(CheckTexts, BytesShowTheirTextOnlyWhereMostArePrintable) {
  EXPECT_EQ(ByteText({0x56, 0x4C, 0x4D, 0x37, 0x51, 0x4E, 0x4E}), "56 4C 4D 37 51 4E 4E  VLM7QNN");
  EXPECT_EQ(ByteText({0x05, 0x50, 0x52, 0x4F}), "05 50 52 4F  .PRO");
  EXPECT_EQ(ByteText({0x00, 0x80, 0xF8, 0x41}), "00 80 F8 41");
  EXPECT_EQ(ByteText({0x4B, 0x54, 0x20, 0x38}), "4B 54 20 38  KT.8");
  EXPECT_EQ(ByteText({0x41, 0x7F}), "41 7F  A.");  // half is enough; DEL is not printable
  EXPECT_EQ(ByteText({}), "");
}

// A chip by its ids in any case, else by its maker, else as the system says; brltty's are CH340 and CP210x.
TEST(CheckTexts, CableChipsAreNamedByTheirIds) {
  link::SerialDevice device;
  device.vendorId = "1A86";
  device.productId = "7523";
  device.description = "QinHeng Electronics USB Serial (1a86:7523)";
  EXPECT_EQ(link::ChipText(device), "WCH CH340 (1A86:7523)");
  device.productId = "e008";
  EXPECT_EQ(link::ChipText(device), "QinHeng Electronics USB Serial (1a86:7523)");
  device.description.clear();
  EXPECT_EQ(link::ChipText(device), "WCH (1A86:e008)");
  device.vendorId = "abcd";
  EXPECT_EQ(link::ChipText(device), "abcd:e008");
  EXPECT_EQ(link::ChipText(link::SerialDevice{}), "");
  EXPECT_TRUE(link::IsBrailleClaimedChip("10C4", "EA60"));
  EXPECT_FALSE(link::IsBrailleClaimedChip("0403", "6001"));
  // Windows' Device Manager name of a port whose Prolific driver refuses the chip.
  EXPECT_TRUE(IsRefusedProlific("Prolific USB-to-Serial Comm Port (COM4) PHASED OUT SINCE 2012. PLEASE CONTACT YOUR SUPPLIER."));
  EXPECT_TRUE(IsRefusedProlific("THIS IS NOT PROLIFIC PL2303. PLEASE CONTACT YOUR SUPPLIER."));
  EXPECT_FALSE(IsRefusedProlific("Prolific USB-to-Serial Comm Port (COM4)"));
}

}  // namespace
}  // namespace qorrin
