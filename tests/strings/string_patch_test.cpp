#include "strings/string_patch.h"

#include <gtest/gtest.h>

#include "image/hex.h"
#include "support/test_support.h"

namespace korvana::strings {
namespace {

using test::ReadText;
using test::TempDir;

std::vector<std::uint8_t> Slice(const image::HandsetImage& image, std::size_t at, std::size_t n) {
  const auto b = image.Bytes();
  return {b.begin() + static_cast<std::ptrdiff_t>(at), b.begin() + static_cast<std::ptrdiff_t>(at + n)};
}

image::HandsetImage ImageWithZeros(std::size_t size) {
  image::HandsetImage image;
  image.Assign(std::vector<std::uint8_t>(size, 0x55), "fw.bin");
  return image;
}

// One ticked row for the 6-byte string at 0x100.
StringList AbcAt100() {
  StringList list;
  EXPECT_TRUE(list.Add2List("00000100", "00000105", "abc", "6").ok);
  list.SetTicked(0, true);
  return list;
}

TEST(StringPatch, EnglishReplacementFillsTheRangeWithBlanks) {
  image::HandsetImage image = ImageWithZeros(0x200);
  const Outcome out = WriteStringsIntoImage(AbcAt100(), StringEncoding::kEnglish, image);
  EXPECT_TRUE(out.ok);
  EXPECT_EQ(out.message, msg::kFileModified);
  EXPECT_EQ(Slice(image, 0x100, 7), (std::vector<std::uint8_t>{0x61, 0x62, 0x63, 0x20, 0x20, 0x20, 0x55}));
  EXPECT_TRUE(image.Modified());
}

TEST(StringPatch, ChineseReplacementIsCutToTheRange) {
  const StringList list = AbcAt100();
  EXPECT_EQ(ReplacementBytesOf(list.Rows()[0], StringEncoding::kChinese)->size(), 12u);
  image::HandsetImage image = ImageWithZeros(0x200);
  ASSERT_TRUE(WriteStringsIntoImage(list, StringEncoding::kChinese, image).ok);
  EXPECT_EQ(Slice(image, 0xFF, 8), (std::vector<std::uint8_t>{0x55, 0xA1, 0x61, 0xA1, 0x62, 0xA1, 0x63, 0x55}));

  TempDir dir;
  const std::string s3 = dir.Path("cut.s3");
  const Outcome out = WriteStringPatch(list, StringEncoding::kChinese, s3);
  EXPECT_EQ(out.message, msg::kS3Okay);
  EXPECT_EQ(ReadText(s3), "S00600004844521B\r\nS30B00000100A161A162A163EA\r\nS705A002000058\r\n");
}

TEST(StringPatch, TwoTickedRowsGiveOneFile) {
  StringList list;
  ASSERT_TRUE(list.Add2List("00000200", "00000201", "Hi", "2").ok);
  ASSERT_TRUE(list.Add2List("00000010", "00000012", "ok", "3").ok);
  ASSERT_TRUE(list.Add2List("00000300", "00000300", "x", "1").ok);
  list.SetTicked(0, true);
  list.SetTicked(1, true);
  TempDir dir;
  const Outcome out = WriteStringPatch(list, StringEncoding::kEnglish, dir.Path("two.s3"));
  EXPECT_TRUE(out.ok);
  EXPECT_EQ(out.written, std::vector<std::string>{dir.Path("two.s3")});
  // Header, the rows in list order (by address), one end line.
  EXPECT_EQ(ReadText(dir.Path("two.s3")),
            "S00600004844521B\r\n"
            "S308000000106F6B20ED\r\n"
            "S30700000200486945\r\n"
            "S705A002000058\r\n");
}

TEST(StringPatch, AFailingRowLeavesNoPatchAndNoChange) {
  // The replacement encoded as "Englisch" has half the bytes of a range found
  // in "Chinese " mode: too short.
  StringList list;
  ASSERT_TRUE(list.Add2List("00000010", "00000011", "ab", "2").ok);
  ASSERT_TRUE(list.Add2List("00000020", "00000025", "abc", "3").ok);
  list.SetTicked(0, true);
  list.SetTicked(1, true);
  TempDir dir;
  test::WriteText(dir.Path("old.s3"), "old");
  const Outcome s3 = WriteStringPatch(list, StringEncoding::kEnglish, dir.Path("old.s3"));
  EXPECT_EQ(s3.message, msg::kS3WriteError);
  EXPECT_NE(s3.detail.find("row 02"), std::string::npos);
  EXPECT_EQ(ReadText(dir.Path("old.s3")), "old");
  EXPECT_EQ(WriteStringPatch(list, StringEncoding::kEnglish, dir.Path("new.s3")).message, msg::kS3WriteError);
  EXPECT_EQ(test::FilesIn(dir.Path()), std::vector<std::string>{"old.s3"});

  image::HandsetImage image = ImageWithZeros(0x40);
  EXPECT_EQ(WriteStringsIntoImage(list, StringEncoding::kEnglish, image).message, msg::kFileError);
  EXPECT_EQ(Slice(image, 0x10, 2), (std::vector<std::uint8_t>{0x55, 0x55}));  // the good first row was not written
  EXPECT_FALSE(image.Modified());
  // The same rows in "Chinese " encoding fit.
  EXPECT_TRUE(WriteStringsIntoImage(list, StringEncoding::kChinese, image).ok);
  EXPECT_EQ(Slice(image, 0x10, 2), (std::vector<std::uint8_t>{0xA1, 0x61}));
}

TEST(StringPatch, UnencodableOrOutsideRowsAreRefused) {
  StringList list;
  ASSERT_TRUE(list.Add2List("00000010", "00000013", "M\xC3\xA4", "4").ok);
  list.SetTicked(0, true);
  TempDir dir;
  EXPECT_EQ(WriteStringPatch(list, StringEncoding::kEnglish, dir.Path("p.s3")).message, msg::kS3WriteError);
  EXPECT_TRUE(test::FilesIn(dir.Path()).empty());
  image::HandsetImage image = ImageWithZeros(0x40);
  EXPECT_EQ(WriteStringsIntoImage(list, StringEncoding::kChinese, image).message, msg::kFileError);

  StringList outside;
  ASSERT_TRUE(outside.Add2List("0000003E", "00000041", "abcd", "4").ok);
  outside.SetTicked(0, true);
  EXPECT_EQ(WriteStringsIntoImage(outside, StringEncoding::kEnglish, image).message, msg::kFileError);
  EXPECT_FALSE(image.Modified());
}

TEST(StringPatch, NoTickedRow) {
  StringList list;
  ASSERT_TRUE(list.Add2List("00000010", "00000012", "abc", "3").ok);
  TempDir dir;
  EXPECT_EQ(WriteStringPatch(list, StringEncoding::kEnglish, dir.Path("p.s3")).message, msg::kNone);
  EXPECT_TRUE(test::FilesIn(dir.Path()).empty());
  image::HandsetImage image = ImageWithZeros(0x40);
  EXPECT_EQ(WriteStringsIntoImage(list, StringEncoding::kEnglish, image).message, msg::kFileModified);
  EXPECT_TRUE(image.Modified());
}

}  // namespace
}  // namespace korvana::strings
