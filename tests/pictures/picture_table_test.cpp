#include <gtest/gtest.h>

#include "app/code_page.h"
#include "pictures/picture_table.h"
#include "support/test_support.h"

namespace korvana::pictures {
namespace {

using test::TempDir;

PictureTableRead Parse(std::string_view text, std::string offset = {}, bool computeSize = false) {
  return ParsePictureTable(text, {std::move(offset), computeSize});
}

constexpr std::string_view kLogoLine = "001 Logo\t 0X0012ABCD\t Zahl: 1\t Size: 2560\t Dims: 128*160\t Farb: 16\t\r\n";

TEST(PictureTable, ReadsFieldsByPositionWithoutTabs) {
  const auto read = Parse(kLogoLine);
  ASSERT_TRUE(read.outcome.ok);
  ASSERT_EQ(read.rows.size(), 1u);
  EXPECT_EQ(read.rows[0], (PictureEntry{"001", "Logo", "0X0012ABCD", "1", "2560", "128*160", "16"}));
}

TEST(PictureTable, OffsetIsAddedOrSubtractedAfterCuttingToSixDigits) {
  EXPECT_EQ(Parse(kLogoLine, "100").rows[0].start, "0X0012ACCD");
  EXPECT_EQ(Parse(kLogoLine, "-100").rows[0].start, "0X0012AACD");
  EXPECT_EQ(Parse(kLogoLine, "").rows[0].start, "0X0012ABCD");
  // Digits in front of the last six are lost before the offset counts.
  const auto read = Parse("1 A 0X7712ABCD x 1 x 2 x 1*1 x 8", "1000000");
  EXPECT_EQ(read.rows[0].start, "0X0112ABCD");
  // Below zero the address is written as its 32-bit two's complement.
  EXPECT_EQ(Parse("1 A 0X10 x 1 x 2 x 1*1 x 8", "-20").rows[0].start, "0XFFFFFFF0");
}

TEST(PictureTable, BlanksShiftFieldsAndEmptyLinesTakeNoNumber) {
  // A blank inside the name moves every later field one place on.
  const auto shifted = Parse("001 My Logo\t 0X10\t Zahl: 1\t Size: 20\t Dims: 4*5\t Farb: 8\t extra");
  ASSERT_TRUE(shifted.outcome.ok);
  EXPECT_EQ(shifted.rows[0].name, "My");
  EXPECT_EQ(shifted.rows[0].count, "Zahl:");
  EXPECT_EQ(shifted.rows[0].depth, "Farb:");
  // Two blanks make an empty field.
  const auto doubled = Parse("001 A  0X10 Zahl: 1 S: 20 D: 4*5 F: 8");
  EXPECT_EQ(doubled.rows[0].start, "0X00000000");
  EXPECT_EQ(doubled.rows[0].count, "Zahl:");

  const auto gaps = Parse(std::string("\r\n") + std::string(kLogoLine) + "\n\r\n" + std::string(kLogoLine));
  ASSERT_EQ(gaps.rows.size(), 2u);
  EXPECT_EQ(gaps.rows[1].number, "002");
}

TEST(PictureTable, BadLinesAndOffsetsFailWithMessage38AndNoRows) {
  for (auto [text, offset] : std::vector<std::pair<std::string, std::string>>{
           {std::string(kLogoLine) + "002 Short line\r\n", ""},  // fewer than eleven fields
           {std::string(kLogoLine), "80000000"},                 // offset overflows
           {std::string(kLogoLine), "7FFFFFFF"},                 // the sum leaves 32 bits
       }) {
    const auto read = Parse(text, offset);
    EXPECT_FALSE(read.outcome.ok) << text << offset;
    EXPECT_EQ(read.outcome.message, 38);
    EXPECT_TRUE(read.rows.empty());
  }
  EXPECT_EQ(Parse("1 A 0X10 x 1 x 2 x 128 x 8", "", true).outcome.message, 38);  // no "*" to compute from
  EXPECT_TRUE(Parse("1 A 0X10 x 1 x 2 x 128 x 8").outcome.ok);                   // fine while not computing
}

TEST(PictureTable, ComputedFrameSizeRoundsHalfToEvenAndPagesDepthOne) {
  const std::tuple<const char*, const char*, std::optional<std::int64_t>> cases[] = {
      {"3*3", "12", 14},  // 13.5
      {"5*1", "12", 8},   // 7.5
      {"3*3", "4", 4},    // 4.5
      {"128*160", "16", 40960},
      {"128*160", "16*", 40960},  // compression is not known here
      {"96*10", "1", 192},        // two pages
      {"96*16", "1", 192},
      {"100000*100000", "24", std::nullopt},
      {"128", "16", std::nullopt}};
  for (const auto& [dims, depth, size] : cases) EXPECT_EQ(ComputedFrameSize(dims, depth), size) << dims << ' ' << depth;
  const auto read = Parse("001 Icon\t 0X10\t Zahl: 2\t Size: 999\t Dims: 3*3\t Farb: 12\t", "", true);
  EXPECT_EQ(read.rows[0].frameSize, "14");
}

TEST(PictureTable, SavedListReadsBackAsItWas) {
  TempDir dir;
  PictureList list;
  list.SetRows({{"001", "Logo", "0X0012ABCD", "1", "2560", "128*160", "16"},
                {"002", "Anim", "0X00200000", "12", "1234", "40*30", "16*"},
                {"003", "Mono", "0X00000010", "1", "192", "96*10", "1"}});
  const std::string path = dir.Path("table.txt");
  const Outcome saved = WritePictureTable(path, list);
  EXPECT_TRUE(saved.ok);
  EXPECT_EQ(saved.message, 16);

  // The labels are the column headers, as the code page writes them.
  const std::string text = test::ReadText(path);
  EXPECT_EQ(text.substr(0, text.find('\n') + 1),
            app::Utf8ToAnsi("001 Logo\t 0X0012ABCD\t Zahl: 1\t Größe  .: 2560\t Maße: 128*160\t Farb: 16\t\r\n"));

  const auto read = ReadPictureTable(path, {});
  ASSERT_TRUE(read.outcome.ok) << read.outcome.detail;
  EXPECT_EQ(read.rows, list.Rows());
  // Reading it with computed sizes works as well.
  EXPECT_EQ(ReadPictureTable(path, {"", true}).rows[2].frameSize, "192");
}

TEST(PictureTable, EmptyListIsNotSavedAndUnwritableFileFails) {
  TempDir dir;
  PictureList list;
  const Outcome empty = WritePictureTable(dir.Path("t.txt"), list);
  EXPECT_EQ(empty.message, 4);
  EXPECT_TRUE(test::FilesIn(dir.Path()).empty());
  list.SetRows({{"001", "A", "0X00000000", "1", "1", "1*1", "8"}});
  EXPECT_EQ(WritePictureTable(dir.Path("missing/t.txt"), list).message, 2);
  EXPECT_EQ(ReadPictureTable(dir.Path("missing.txt"), {}).outcome.message, 38);
}

TEST(PictureEntryParse, ReadsNumbersAndRefusesAbsurdRows) {
  const ParsedPicture p = ParsePictureEntry({"001", "A", "0X00001000", "3", "2560.5", "128*160", "16*"});
  ASSERT_TRUE(p.Ok());
  EXPECT_EQ(p.shape.frameSize, 2560);  // half to even
  EXPECT_EQ(std::tuple(p.shape.width, p.shape.height, p.shape.depth, p.shape.compressed), std::tuple(128, 160, 16, true));
  EXPECT_EQ(p.shape.FrameAddress(2), 0x1000 + 2 * 2560);
  EXPECT_EQ(ParsePictureEntry({"1", "A", "0X0", "x", "", "abc", "8"}).shape.count, 0);

  EXPECT_EQ(ParsePictureEntry({"1", "A", "0X0", "1", "10", "100000*100000", "8"}).message, 38);
  EXPECT_EQ(ParsePictureEntry({"1", "A", "0X0", "1", "10", "-1*5", "8"}).message, 38);
  EXPECT_EQ(ParsePictureEntry({"1", "A", "0X0", "60000", "10", "1*1", "8"}).message, 2);
  EXPECT_EQ(ParsePictureEntry({"1", "A", "0X0", "1", "99999999999", "1*1", "8"}).message, 2);
  EXPECT_EQ(ParsePictureEntry({"1", "A", "0XFFFFFFF0", "1", "1", "1*1", "8"}).message, 2);
}

}  // namespace
}  // namespace korvana::pictures
