#include <gtest/gtest.h>

#include "sim/ImageFile.h"
#include "support/TestSupport.h"

namespace qorrin::sim {
namespace {

TEST(SimImageFile, LoadsBothFormsAndRefusesAnythingElse) {
  test::TempDir dir;
  RadioImage image = BlankImage();
  std::string error;

  const std::string header = std::string("VLM-7Q Radio Program data v1.07") + std::string(17, '\0');
  dir.write("p.7Q", header + std::string(4096, '\x11'));
  ImageFile project{dir.file("p.7Q"), {}};
  ASSERT_TRUE(LoadImageFile(project, &image, &error)) << error;
  EXPECT_EQ(image[4095], 0x11);
  EXPECT_EQ(project.header, header);  // saved back with the header it came with

  dir.write("raw.bin", std::string(4096, '\x22'));
  ImageFile raw{dir.file("raw.bin"), {}};
  ASSERT_TRUE(LoadImageFile(raw, &image, &error));
  EXPECT_EQ(image[0], 0x22);
  EXPECT_TRUE(raw.header.empty());

  dir.write("long.7Q", header + std::string(4097, '\0'));
  ImageFile tooLong{dir.file("long.7Q"), {}};
  EXPECT_FALSE(LoadImageFile(tooLong, &image, &error));
  ImageFile folder{dir.path().string(), {}};  // a folder is an error, not a crash
  EXPECT_FALSE(LoadImageFile(folder, &image, &error));
  EXPECT_NE(error.find(dir.path().string()), std::string::npos);
}

}  // namespace
}  // namespace qorrin::sim
