#include <string>

#include <gtest/gtest.h>

#include "core/model/ToneCodec.h"
#include "core/model/ToneTables.h"
#include "support/TestSupport.h"

namespace qorrin {
namespace {

TEST(ToneCodec, StoredFormAndReadRules) {
  EXPECT_EQ(EncodeToneCode(154).byte, 154);
  EXPECT_FALSE(EncodeToneCode(154).inverted);
  EXPECT_EQ(EncodeToneCode(258).byte, 154);
  EXPECT_TRUE(EncodeToneCode(258).inverted);
  EXPECT_EQ(DecodeToneByte(50, true), 50);  // CTCSS ignores the flag
  EXPECT_EQ(DecodeToneByte(60, true), 164);
  EXPECT_EQ(DecodeToneByte(155, false), 155);
  EXPECT_EQ(DecodeToneByte(156, true), 0);
  for (int code = 0; code <= kLastToneCode; ++code) {
    const StoredTone t = EncodeToneCode(code);
    EXPECT_EQ(DecodeToneByte(t.byte, t.inverted), code) << code;
  }
}

TEST(ToneTables, ResourcesListAndSingleTexts) {
  ASSERT_EQ(ToneResource(136).size(), 400u);
  ASSERT_EQ(ToneResource(135).size(), 832u);
  ASSERT_EQ(ToneResource(134).size(), 832u);
  EXPECT_EQ(std::string(ToneResource(136).data(), 8), std::string("67.0\0\0\0\0", 8));
  EXPECT_EQ(std::string(ToneResource(134).data() + 103 * 8, 8), std::string("D754I\0\0\0", 8));

  test::TempDir dir;
  dir.installDataFiles();
  const std::vector<std::string> list = FillToneList();
  ASSERT_EQ(list.size(), 259u);
  EXPECT_EQ(list[0], "Off");
  EXPECT_EQ(list[1], "67.0");
  EXPECT_EQ(list[50], "254.1");
  EXPECT_EQ(list[51], "D023N");
  EXPECT_EQ(list[155], "D023I");
  EXPECT_EQ(list[258], "D754I");
  for (int code = 1; code <= kLastToneCode; ++code) EXPECT_EQ(GetToneText(code), list[code]);
  EXPECT_EQ(GetToneText(0), "");
  EXPECT_EQ(GetToneText(259), "");
}

}  // namespace
}  // namespace qorrin
