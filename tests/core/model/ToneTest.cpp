#include <string>

#include <gtest/gtest.h>

#include "core/model/ToneCodec.h"
#include "core/model/ToneTables.h"
#include "support/TestSupport.h"

namespace qorrin {
namespace {

TEST(ToneCodec, EncodesTheInvertedHalfWithTheFlag) {
  EXPECT_EQ(EncodeToneCode(0).byte, 0);
  EXPECT_FALSE(EncodeToneCode(0).inverted);
  EXPECT_EQ(EncodeToneCode(154).byte, 154);
  EXPECT_FALSE(EncodeToneCode(154).inverted);
  EXPECT_EQ(EncodeToneCode(155).byte, 51);
  EXPECT_TRUE(EncodeToneCode(155).inverted);
  EXPECT_EQ(EncodeToneCode(258).byte, 154);
  EXPECT_TRUE(EncodeToneCode(258).inverted);
}

TEST(ToneCodec, DecodesEveryByteWithAndWithoutFlag) {
  EXPECT_EQ(DecodeToneByte(50, true), 50);  // CTCSS ignores the flag
  EXPECT_EQ(DecodeToneByte(51, true), 155);
  EXPECT_EQ(DecodeToneByte(51, false), 51);
  EXPECT_EQ(DecodeToneByte(60, true), 164);
  EXPECT_EQ(DecodeToneByte(155, false), 155);
  EXPECT_EQ(DecodeToneByte(155, true), 155);
  EXPECT_EQ(DecodeToneByte(156, false), 0);
  EXPECT_EQ(DecodeToneByte(255, true), 0);
  // Every code survives a round trip, and every byte decodes to a valid code.
  for (int code = 0; code <= kLastToneCode; ++code) {
    const StoredTone t = EncodeToneCode(code);
    EXPECT_EQ(DecodeToneByte(t.byte, t.inverted), code) << code;
  }
  for (int b = 0; b < 256; ++b) {
    for (bool inv : {false, true}) {
      const int code = DecodeToneByte(static_cast<std::uint8_t>(b), inv);
      EXPECT_GE(code, 0);
      EXPECT_LE(code, kLastToneCode);
    }
  }
}

TEST(ToneTables, ResourcesAreNulPaddedSlots) {
  ASSERT_EQ(ToneResource(136).size(), 400u);
  ASSERT_EQ(ToneResource(135).size(), 832u);
  ASSERT_EQ(ToneResource(134).size(), 832u);
  EXPECT_TRUE(ToneResource(133).empty());
  const std::string first(ToneResource(136).data(), 8);
  EXPECT_EQ(first, std::string("67.0\0\0\0\0", 8));
  const std::string lastDcs(ToneResource(134).data() + 103 * 8, 8);
  EXPECT_EQ(lastDcs, std::string("D754I\0\0\0", 8));
}

TEST(ToneTables, ListAndSingleTexts) {
  test::TempDir dir;
  dir.installDataFiles();
  const std::vector<std::string> list = FillToneList();
  ASSERT_EQ(list.size(), 259u);
  EXPECT_EQ(list[0], "Off");
  EXPECT_EQ(list[1], "67.0");
  EXPECT_EQ(list[13], "100.0");
  EXPECT_EQ(list[50], "254.1");
  EXPECT_EQ(list[51], "D023N");
  EXPECT_EQ(list[154], "D754N");
  EXPECT_EQ(list[155], "D023I");
  EXPECT_EQ(list[258], "D754I");
  for (int code = 1; code <= kLastToneCode; ++code) EXPECT_EQ(GetToneText(code), list[code]);
  EXPECT_EQ(GetToneText(0), "");
  EXPECT_EQ(GetToneText(-1), "");
  EXPECT_EQ(GetToneText(259), "");
}

}  // namespace
}  // namespace qorrin
