#include "pictures/picture_table.h"

#include <gtest/gtest.h>

#include "app/code_page.h"
#include "bmp_test_support.h"
#include "pictures/picture_export.h"
#include "support/test_support.h"

namespace korvana::pictures {
namespace {

using test::FilesIn, test::TempDir;

PictureTableRead Parse(std::string_view text, std::string offset = {}, bool computeSize = false) {
  return ParsePictureTable(text, {std::move(offset), computeSize});
}

constexpr std::string_view kLogoLine = "001 Logo\t 0X0012ABCD\t Zahl: 1\t Size: 2560\t Dims: 128*160\t Farb: 16\t\r\n";

TEST(PictureTable, ReadsFieldsByPositionAndAddsTheOffsetAfterCuttingToSixDigits) {
  EXPECT_EQ(Parse(kLogoLine).rows,
            (std::vector<PictureEntry>{{"001", "Logo", "0X0012ABCD", "1", "2560", "128*160", "16"}}));
  for (const auto& [offset, start] : std::vector<std::pair<std::string, std::string>>{
           {"100", "0X0012ACCD"}, {"-100", "0X0012AACD"}, {"", "0X0012ABCD"}}) {
    EXPECT_EQ(Parse(kLogoLine, offset).rows.at(0).start, start) << offset;
  }
  // Digits in front of the last six are lost; below zero comes the 32-bit two's complement.
  EXPECT_EQ(Parse("1 A 0X7712ABCD x 1 x 2 x 1*1 x 8", "1000000").rows.at(0).start, "0X0112ABCD");
  EXPECT_EQ(Parse("1 A 0XFFFFFF x 1 x 2 x 1*1 x 8", "7F000000").rows.at(0).start, "0X7FFFFFFF");
  EXPECT_EQ(Parse("1 A 0X10 x 1 x 2 x 1*1 x 8", "-20").rows.at(0).start, "0XFFFFFFF0");
}

TEST(PictureTable, BlanksShiftFieldsAndEmptyLinesTakeNoNumber) {
  const auto shifted = Parse("001 My Logo\t 0X10\t Zahl: 1\t Size: 20\t Dims: 4*5\t Farb: 8\t extra");
  EXPECT_EQ(shifted.rows.at(0), (PictureEntry{"001", "My", "0X00000000", "Zahl:", "Size:", "Dims:", "Farb:"}));
  EXPECT_EQ(Parse("001 A  0X10 Zahl: 1 S: 20 D: 4*5 F: 8").rows.at(0).start, "0X00000000");  // an empty field

  const auto gaps = Parse("\r\n" + std::string(kLogoLine) + "\n\r\r\n" + std::string(kLogoLine) + "\n");
  ASSERT_EQ(gaps.rows.size(), 2u);
  EXPECT_EQ(gaps.rows[1].number, "002");
}

TEST(PictureTable, BadLinesAndOffsetsFailWithMessage38AndNoRows) {
  for (const auto& [text, offset, compute] : std::vector<std::tuple<std::string, std::string, bool>>{
           {std::string(kLogoLine), "80000000", false},                 // offset overflows
           {std::string(kLogoLine), "7FFFFFFF", false},                 // the sum leaves 32 bits
           {"1 A 0X10 x 1 x 2 x 128 x 8", "", true},                    // no "*" to compute from
       }) {
    const auto read = Parse(text, offset, compute);
    EXPECT_EQ(std::tuple(read.outcome.ok, read.outcome.message, read.rows.size()),
              std::tuple(false, msg::kPictureTableBad, 0u))
        << text << offset;
  }
  EXPECT_TRUE(Parse("1 A 0X10 x 1 x 2 x 128 x 8").outcome.ok);  // fine while not computing
  EXPECT_EQ(ReadPictureTable("/no/such/table.txt", {}).outcome.message, msg::kPictureTableBad);
}

TEST(PictureTable, ComputedFrameSizeRoundsHalfToEvenAndPagesDepthOne) {
  // 13.5, 7.5 and 4.5 round to even; depth 1 counts pages of eight rows.
  const std::tuple<const char*, const char*, std::optional<std::int64_t>> cases[] = {
      {"3*3", "12", 14},      {"5*1", "12", 8},       {"3*3", "4", 4},      {"128*160", "16", 40960},
      {"128*160", "16*", 40960}, {"96*10", "1", 192}, {"96*16", "1", 192},  {"96*17", "1", 288},
      {"100000*100000", "24", std::nullopt},          {"128", "16", std::nullopt}};
  for (const auto& [dims, depth, size] : cases) EXPECT_EQ(ComputedFrameSize(dims, depth), size) << dims << ' ' << depth;
  EXPECT_EQ(Parse("001 Icon\t 0X10\t Zahl: 2\t Size: 999\t Dims: 3*3\t Farb: 12\t", "", true).rows.at(0).frameSize,
            "14");
}

TEST(PictureTable, SavedListReadsBackAsItWasAndAnEmptyOneIsNotSaved) {
  test::TempDir dir;
  PictureList list;
  EXPECT_EQ(std::tuple(WritePictureTable(dir.Path("t.txt"), list).message, test::FilesIn(dir.Path()).empty()),
            std::tuple(msg::kToneTableEmpty, true));
  list.SetRows({{"001", "Logo", "0X0012ABCD", "1", "2560", "128*160", "16"},
                {"002", "Anim", "0X00200000", "12", "1234", "40*30", "16*"},
                {"003", "Mono", "0X00000010", "1", "192", "96*10", "1"}});
  const std::string path = dir.Path("table.txt");
  EXPECT_EQ(WritePictureTable(path, list).message, msg::kPictureTableWritten);
  const std::string text = test::ReadText(path);
  EXPECT_EQ(text.substr(0, text.find('\n') + 1),
            app::Utf8ToAnsi("001 Logo\t 0X0012ABCD\t Zahl: 1\t Größe  .: 2560\t Maße: 128*160\t Farb: 16\t\r\n"));
  EXPECT_EQ(ReadPictureTable(path, {}).rows, list.Rows());
  EXPECT_EQ(std::tuple(list.FindNumber("003"), list.FindNumber("004"), list.SetFrameSize(2, "192"),
                       list.SetFrameSize(3, "1")), std::tuple(2, -1, true, false));
  EXPECT_EQ(ReadPictureTable(path, {"", true}).rows.at(2).frameSize, "192");
  EXPECT_EQ(WritePictureTable(dir.Path("missing/t.txt"), list).message, msg::kFileError);
  list.Clear();
  EXPECT_EQ(list.FindNumber("001"), -1);
}

TEST(PictureEntryParse, ReadsNumbersAndRefusesAbsurdRows) {
  const ParsedPicture p = ParsePictureEntry({"001", "A", "0X00001000", "3", "2560.5", "128*160", "16*"});
  ASSERT_TRUE(p.Ok());
  EXPECT_EQ(std::tuple(p.shape.frameSize, p.shape.width, p.shape.height, p.shape.depth, p.shape.compressed),
            std::tuple(2560, 128, 160, 16, true));  // half to even
  EXPECT_EQ(p.shape.FrameAddress(2), 0x1000 + 2 * 2560);
  const ParsedPicture b = ParsePictureEntry({"1", "A", "0X0", "x", "", "abc", "8"});  // blank numbers are 0
  EXPECT_EQ(std::tuple(b.Ok(), b.shape.count, b.shape.width, b.shape.height), std::tuple(true, 0, 0, 0));
  EXPECT_EQ(std::tuple(LeadingNumber(" -12.5x"), LeadingNumber("3x7"), RoundHalfEven(-1e300), RoundHalfEven(1e300)),
            std::tuple(-12.5, 3.0, -(std::int64_t{1} << 53), std::int64_t{1} << 53));
  EXPECT_TRUE(ParsePictureEntry({"1", "A", "0X0", "32767", "10", "4096*4096", "8"}).Ok());

  for (const auto& [count, size, dims, message] : std::vector<std::tuple<std::string, std::string, std::string, int>>{
           {"1", "10", "4097*1", msg::kPictureTableBad}, {"1", "10", "1*4097", msg::kPictureTableBad},
           {"1", "10", "-1*5", msg::kPictureTableBad}, {"32768", "10", "1*1", msg::kFileError},
           {"1", "2147483648", "1*1", msg::kFileError}})
    EXPECT_EQ(ParsePictureEntry({"1", "A", "0X0", count, size, dims, "8"}).message, message) << count << size << dims;
  EXPECT_EQ(ParsePictureEntry({"1", "A", "0XFFFFFFF0", "1", "1", "1*1", "8"}).message, msg::kFileError);
}


// An image of 64 bytes counting up from 0.
image::HandsetImage Counting() {
  std::vector<std::uint8_t> bytes(64);
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i);
  image::HandsetImage image;
  image.Assign(std::move(bytes), "fw.bin");
  return image;
}

TEST(ExportPictures, EveryFrameOfTheChosenRowsAsBmpFilesUntilAFailure) {
  EXPECT_EQ(std::tuple(ExportFileName("/out", " Logo ", 1), ExportFileName("/out/", "../..\\x", 100)),
            std::tuple("/out/Logo-01.bmp", "/out/.._.._x-100.bmp"));
  TempDir dir;
  const image::HandsetImage image = Counting();
  PictureList list;
  list.SetRows({{"001", "Anim", "0X00000001", "3", "3", "1*1", "24"},  // three 1 x 1 frames
                {"002", "Odd", "0X00000000", "1", "1", "1*1", "7"},
                {"003", "Huge", "0X00000000", "1", "1", "100000*100000", "16"},
                {"004", "Many", "0X00000000", "60000", "1", "1*1", "8"}});
  std::vector<std::int64_t> steps;  // names and rows of other depths: see the command line tests
  const Outcome out = ExportPictures(image, list, {0, 1, 7}, dir.Path(), {},
                                     [&](std::int64_t i) { return steps.push_back(i), true; }, {});
  EXPECT_EQ(std::tuple(out.ok, out.message, out.written.size(), steps),
            std::tuple(true, msg::kBmpWritten, 3u, std::vector<std::int64_t>{1, 2}));
  EXPECT_EQ(test::ReadBytes(dir.Path("Anim-02.bmp")), bmptest::Bmp24({{{4, 5, 6}}}));

  const Outcome huge = ExportPictures(image, list, {0, 2}, dir.Path(), {}, {}, {});
  EXPECT_EQ(std::tuple(huge.message, huge.written.size()), std::tuple(msg::kPictureTableBad, 3u));  // files kept
  EXPECT_EQ(ExportPictures(image, list, {3}, dir.Path(), {}, {}, {}).message, msg::kFileError);
  EXPECT_EQ(ExportPictures(image, list, {0}, dir.Path("missing"), {}, {}, {}).message, msg::kFileError);
  const Outcome stopped = ExportPictures(image, list, {0, 1}, dir.Path(), {}, [](std::int64_t) { return false; }, {});
  EXPECT_EQ(std::tuple(stopped.ok, stopped.message, stopped.written.size()), std::tuple(false, msg::kNone, 3u));
}

TEST(WritePicturePatch, RowsInOneFileInListOrderOrNoFileAtAll) {
  TempDir dir;
  const image::HandsetImage image = Counting();
  PictureList list;
  // Row 2 is compressed: its range is count * frame size from the table.
  list.SetRows({{"001", "A", "0X00000010", "2", "2", "1*1", "8"},
                {"002", "B", "0X00000020", "1", "3", "2*2", "16*"},
                {"003", "C", "0X00000030", "1", "1", "100000*100000", "8"},  // the patch ignores dimensions
                {"004", "Past", "0X0000003F", "2", "1", "1*1", "8"},
                {"005", "Empty", "0X00000010", "0", "2", "1*1", "8"},
                {"006", "Last", "0X0000003F", "1", "1", "1*1", "8"}});
  const std::string path = dir.Path("p.s3");
  const Outcome out = WritePicturePatch(image, list, {0, 1, 2, 9}, path, {});
  EXPECT_EQ(std::tuple(out.ok, out.message), std::tuple(true, msg::kS3Okay));
  EXPECT_EQ(test::ReadText(path),
            "S00600004844521B\r\n"
            "S3090000001010111213A0\r\n"
            "S3080000002020212274\r\n"
            "S306000000303099\r\n"
            "S705A002000058\r\n");
  EXPECT_EQ(WritePicturePatch(image, list, {5}, dir.Path("last.s3"), {}).message, msg::kS3Okay);
  const Outcome none = WritePicturePatch(image, list, {}, dir.Path("n.s3"), {});
  EXPECT_EQ(std::tuple(none.ok, none.message), std::tuple(false, msg::kNone));
  for (int bad : {3, 4})
    EXPECT_EQ(WritePicturePatch(image, list, {0, bad}, dir.Path("bad.s3"), {}).message, msg::kFileError);
  // A stop asked for between rows leaves no file.
  EXPECT_FALSE(WritePicturePatch(image, list, {0, 2}, dir.Path("q.s3"), [](std::int64_t) { return false; }).ok);
  EXPECT_EQ(FilesIn(dir.Path()), (std::vector<std::string>{"last.s3", "p.s3"}));
}

}  // namespace
}  // namespace korvana::pictures
