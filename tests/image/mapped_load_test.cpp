#include <gtest/gtest.h>

#include <cstring>

#include "image/handset_image.h"
#include "support/test_support.h"

namespace korvana::image {
namespace {

using test::ReadBytes;
using test::TempDir;

TEST(LoadMapped, ShowsTheFileAsLoadDoesAndCopiesItOnTheFirstChange) {
  TempDir dir;
  std::vector<std::uint8_t> fw(8192, 0xFF);
  std::memcpy(fw.data() + 100, "VersionString:   V01.2.34", 25);
  test::WriteBytes(dir.Path("fw.bin"), fw);
  HandsetImage image;
  ASSERT_TRUE(image.LoadMapped(dir.Path("fw.bin")).ok);
  EXPECT_EQ(image.VersionText(), "V01.2.34");
  EXPECT_EQ(image.Size(), 8192);
  EXPECT_TRUE(std::equal(fw.begin(), fw.end(), image.Bytes().begin()));
  image.SetSearchStart(0);
  EXPECT_TRUE(image.FindHexPattern("5665"));  // "Ve"
  EXPECT_EQ(image.FoundPos(), 100);

  ASSERT_TRUE(image.CopyIntoImage(std::vector<std::uint8_t>{1, 2}, 8190, 2).ok);
  EXPECT_EQ(ReadBytes(dir.Path("fw.bin")), fw);  // the file is not written through
  ASSERT_TRUE(image.Saveaxf(false).ok);
  fw[8190] = 1;
  fw[8191] = 2;
  EXPECT_EQ(ReadBytes(dir.Path("fw.bin")), fw);
  EXPECT_EQ(image.Bytes()[8191], 2);
}

TEST(LoadMapped, WhatCannotBeMappedFailsAsLoadFailsAndKeepsTheImage) {
  TempDir dir;
  HandsetImage image;
  image.Assign({1, 2, 3}, "old.bin");
  test::WriteBytes(dir.Path("empty.bin"), {});
  EXPECT_EQ(image.LoadMapped(dir.Path("empty.bin")).message, msg::kEmptyFile);
  EXPECT_EQ(image.LoadMapped(dir.Path("missing.bin")).message, msg::kFileError);
  std::vector<std::uint8_t> bad(64, 0);
  std::memcpy(bad.data() + 50, "VersionString:", 14);  // its version lies past the end
  test::WriteBytes(dir.Path("bad.bin"), bad);
  EXPECT_EQ(image.LoadMapped(dir.Path("bad.bin")).message, msg::kFileError);
  EXPECT_EQ(image.FileName(), "old.bin");
  EXPECT_EQ(image.Size(), 3);
}

}  // namespace
}  // namespace korvana::image
