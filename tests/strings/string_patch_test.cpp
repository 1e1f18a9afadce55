// The list of replacements and what it writes: into the image or as a patch.

#include "strings/string_patch.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace korvana::strings {
namespace {

using test::ReadText;
using test::TempDir;
using Bytes = std::vector<std::uint8_t>;

// Sorted by address, padded with blanks; removing does not renumber.
TEST(StringList, PadsSortsNumbersAndRefusesIncompleteRows) {
  StringList list;
  // An empty field, or a typed length that would pad without bound.
  for (const auto& [start, stop, text, length] : {std::tuple{"", "00000105", "abc", "6"}, {"00000100", "", "abc", "6"},
                                                  {"00000100", "00000105", "", "6"}, {"00000100", "00000105", "abc", "999999999"}}) {
    EXPECT_EQ(list.AddReplacement(start, stop, text, length).message, msg::kIncompleteInfo) << length;
  }
  EXPECT_FALSE(list.ContextMenuState().remove);
  ASSERT_TRUE(list.AddReplacement("00012000", "00012005", "abc", "6").ok);
  ASSERT_TRUE(list.AddReplacement("00010000", "00010006", "中文", "3.5").ok);
  EXPECT_EQ(list.RowTexts(0), (std::vector<std::string>{"02", "00010000", "00010006", "中文  ", "3.5"}));
  EXPECT_EQ(list.RowTexts(1), (std::vector<std::string>{"01", "00012000", "00012005", "abc   ", "6"}));
  EXPECT_EQ(PaddedReplacement("abcdef", "3"), "abcdef");
  EXPECT_FALSE(list.ContextMenuState().output);
  EXPECT_TRUE(list.SetTicked(1, true) && !list.SetTicked(2, true) && list.ContextMenuState().output);
  list.RemoveRow(0);
  list.RemoveRow(-1);
  ASSERT_TRUE(list.AddReplacement("00011000", "00011000", "x", "1").ok);
  EXPECT_EQ(list.RowTexts(0)[0] + list.RowTexts(1)[0], "0201");
  EXPECT_TRUE(list.Ticked(1) && !list.Ticked(0));
  list.RemoveAll();
  EXPECT_EQ(list.RowCount(), 0);
}

Bytes Slice(const image::HandsetImage& image, std::size_t at, std::size_t n) {
  const auto b = image.Bytes().subspan(at, n);
  return {b.begin(), b.end()};
}

image::HandsetImage Image() {
  image::HandsetImage image;
  image.Assign(Bytes(0x200, 0x55), "fw.bin");
  return image;
}

// Ticked rows of (start, stop, replacement, length).
StringList Ticked(const std::vector<std::vector<std::string>>& rows) {
  StringList list;
  for (const auto& r : rows) EXPECT_TRUE(list.AddReplacement(r[0], r[1], r[2], r[3]).ok);
  for (int i = 0; i < list.RowCount(); ++i) list.SetTicked(i, true);
  return list;
}

TEST(StringPatch, OnlyTheRangeIsWrittenInTheEncodingChosenAtExport) {
  const StringList list = Ticked({{"00000100", "00000105", "abc", "6"}});
  image::HandsetImage image = Image();
  const Outcome out = WriteStringsIntoImage(list, StringEncoding::kEnglish, image);
  EXPECT_EQ(out.message, msg::kFileModified);
  EXPECT_EQ(Slice(image, 0x100, 7), (Bytes{0x61, 0x62, 0x63, 0x20, 0x20, 0x20, 0x55}));
  EXPECT_TRUE(image.Modified());
  // "Chinese ": 12 data bytes, the first 6 written.
  ASSERT_TRUE(WriteStringsIntoImage(list, StringEncoding::kChinese, image).ok);
  EXPECT_EQ(Slice(image, 0x100, 7), (Bytes{0xA1, 0x61, 0xA1, 0x62, 0xA1, 0x63, 0x55}));
  TempDir dir;
  EXPECT_EQ(WriteStringPatch(list, StringEncoding::kChinese, dir.Path("cut.s3")).message, msg::kS3Okay);
  EXPECT_EQ(ReadText(dir.Path("cut.s3")), "S00600004844521B\r\nS30B00000100A161A162A163EA\r\nS705A002000058\r\n");
}

TEST(StringPatch, TwoTickedRowsGiveOneFileInAddressOrder) {
  StringList list = Ticked({{"00000200", "00000201", "Hi", "2"}, {"00000010", "00000012", "ok", "3"}});
  ASSERT_TRUE(list.AddReplacement("00000300", "00000300", "x", "1").ok);  // not ticked
  TempDir dir;
  EXPECT_TRUE(WriteStringPatch(list, StringEncoding::kEnglish, dir.Path("two.s3")).ok);
  EXPECT_EQ(ReadText(dir.Path("two.s3")),
            "S00600004844521B\r\nS308000000106F6B20ED\r\nS30700000200486945\r\nS705A002000058\r\n");
}

TEST(StringPatch, AFailingRowLeavesNoPatchAndNoChange) {
  // The second row's 6 places were found as "Chinese ": as "Englisch" its 3 bytes are too short.
  const StringList list = Ticked({{"00000010", "00000011", "ab", "2"}, {"00000020", "00000025", "abc", "3"}});
  TempDir dir;
  test::WriteText(dir.Path("old.s3"), "old");
  const Outcome s3 = WriteStringPatch(list, StringEncoding::kEnglish, dir.Path("old.s3"));
  EXPECT_EQ(s3.message, msg::kS3WriteError);
  EXPECT_NE(s3.detail.find("row 02"), std::string::npos);
  EXPECT_EQ(WriteStringPatch(list, StringEncoding::kEnglish, dir.Path("new.s3")).message, msg::kS3WriteError);
  EXPECT_EQ(test::FilesIn(dir.Path()), std::vector<std::string>{"old.s3"});
  EXPECT_EQ(ReadText(dir.Path("old.s3")), "old");

  image::HandsetImage image = Image();
  EXPECT_EQ(WriteStringsIntoImage(list, StringEncoding::kEnglish, image).message, msg::kFileError);
  EXPECT_EQ(Slice(image, 0x10, 2), (Bytes{0x55, 0x55}));  // the good first row was not written either
  EXPECT_FALSE(image.Modified());

  // A character the code page lacks, a range past the end of the image.
  const StringList umlaut = Ticked({{"00000010", "00000013", "M\xC3\xA4", "4"}});
  EXPECT_EQ(WriteStringPatch(umlaut, StringEncoding::kEnglish, dir.Path("u.s3")).message, msg::kS3WriteError);
  EXPECT_EQ(WriteStringsIntoImage(umlaut, StringEncoding::kChinese, image).message, msg::kFileError);
  const StringList outside = Ticked({{"000001FE", "00000201", "abcd", "4"}});
  EXPECT_EQ(WriteStringsIntoImage(outside, StringEncoding::kEnglish, image).message, msg::kFileError);
  EXPECT_FALSE(image.Modified());
  EXPECT_EQ(test::FilesIn(dir.Path()), std::vector<std::string>{"old.s3"});
}

}  // namespace
}  // namespace korvana::strings
