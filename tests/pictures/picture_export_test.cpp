#include <gtest/gtest.h>

#include "bmp_test_support.h"
#include "pictures/picture_export.h"
#include "support/test_support.h"

namespace korvana::pictures {
namespace {

using test::TempDir;

image::HandsetImage ImageOf(std::vector<std::uint8_t> bytes) {
  image::HandsetImage image;
  image.Assign(std::move(bytes), "fw.bin");
  return image;
}

std::vector<std::uint8_t> Counting(std::size_t n) {
  std::vector<std::uint8_t> bytes(n);
  for (std::size_t i = 0; i < n; ++i) bytes[i] = static_cast<std::uint8_t>(i);
  return bytes;
}

TEST(ExportFileName, TwoDigitsThenThreeAndTrimmedName) {
  EXPECT_EQ(ExportFileName("/out/", "Logo", 1), "/out/Logo-01.bmp");
  EXPECT_EQ(ExportFileName("/out", " Logo ", 12), "/out/Logo-12.bmp");
  EXPECT_EQ(ExportFileName("/out/", "Logo", 99), "/out/Logo-99.bmp");
  EXPECT_EQ(ExportFileName("/out/", "Logo", 100), "/out/Logo-100.bmp");
  EXPECT_EQ(ExportFileName("/out/", "../../x", 1), "/out/.._.._x-01.bmp");
}

TEST(ExportPictures, EveryFrameOfTheChosenRowsAsBmpFiles) {
  TempDir dir;
  // "Anim": three 1 x 1 frames of depth 24 at 0; "Dot": one 1 x 1 of depth 8.
  const auto image = ImageOf({1, 2, 3, 4, 5, 6, 7, 8, 9, 0xE3});
  PictureList list;
  list.SetRows({{"001", "Anim", "0X00000000", "3", "3", "1*1", "24"},
                {"002", "Dot", "0X00000009", "1", "1", "1*1", "8"},
                {"003", "Odd", "0X00000000", "1", "1", "1*1", "7"}});
  std::vector<std::string> refused;
  std::vector<std::int64_t> steps;
  const Outcome out = ExportPictures(
      image, list, {0, 2}, dir.Path(), {}, [&](std::int64_t i) { return steps.push_back(i), true; },
      [&](const PictureEntry& row) { refused.push_back(row.number); });
  EXPECT_TRUE(out.ok);
  EXPECT_EQ(out.message, 18);
  EXPECT_EQ(test::FilesIn(dir.Path()), (std::vector<std::string>{"Anim-01.bmp", "Anim-02.bmp", "Anim-03.bmp"}));
  EXPECT_EQ(out.written.size(), 3u);
  EXPECT_EQ(test::ReadBytes(dir.Path("Anim-02.bmp")), bmptest::Bmp24({{{4, 5, 6}}}));
  EXPECT_EQ(refused, std::vector<std::string>{"003"});  // the depth-7 frame was skipped
  EXPECT_EQ(steps, (std::vector<std::int64_t>{1, 2}));
}

TEST(ExportPictures, FailuresStopWithTheirMessage) {
  TempDir dir;
  const auto image = ImageOf(Counting(32));
  PictureList list;
  list.SetRows({{"001", "A", "0X00000000", "1", "1", "1*1", "8"},
                {"002", "Huge", "0X00000000", "1", "1", "100000*100000", "16"},
                {"003", "Many", "0X00000000", "60000", "1", "1*1", "8"}});
  const Outcome huge = ExportPictures(image, list, {0, 1}, dir.Path(), {}, {}, {});
  EXPECT_EQ(huge.message, 38);
  EXPECT_EQ(huge.written.size(), 1u);  // A-01.bmp stays
  EXPECT_EQ(ExportPictures(image, list, {2}, dir.Path(), {}, {}, {}).message, 2);
  EXPECT_EQ(ExportPictures(image, list, {0}, dir.Path("missing"), {}, {}, {}).message, 2);
  EXPECT_EQ(test::FilesIn(dir.Path()), std::vector<std::string>{"A-01.bmp"});
}

TEST(WritePicturePatch, ThreeRowsInOneFileInListOrder) {
  TempDir dir;
  const auto image = ImageOf(Counting(0x40));
  PictureList list;
  // Row 2 is compressed: its range is count * frame size from the table.
  list.SetRows({{"001", "A", "0X00000010", "2", "2", "1*1", "8"},
                {"002", "B", "0X00000020", "1", "3", "2*2", "16*"},
                {"003", "C", "0X00000030", "1", "1", "1*1", "8"},
                {"004", "D", "0X00000000", "1", "1", "1*1", "8"}});
  const std::string path = dir.Path("p.s3");
  const Outcome out = WritePicturePatch(image, list, {0, 1, 2}, path, {});
  EXPECT_TRUE(out.ok);
  EXPECT_EQ(out.message, 10);
  EXPECT_EQ(test::ReadText(path),
            "S00600004844521B\r\n"
            "S3090000001010111213A0\r\n"
            "S3080000002020212274\r\n"
            "S306000000303099\r\n"
            "S705A002000058\r\n");
}

TEST(WritePicturePatch, NoRowsWritesNothingAndABadRowLeavesNoFile) {
  TempDir dir;
  const auto image = ImageOf(Counting(0x40));
  PictureList list;
  list.SetRows({{"001", "A", "0X00000010", "2", "2", "1*1", "8"},
                {"002", "Past", "0X0000003F", "2", "2", "1*1", "8"},
                {"003", "Empty", "0X00000010", "0", "2", "1*1", "8"},
                {"004", "NaN", "0X00000010", "x", "2", "1*1", "8"},
                {"005", "Huge", "0X00000010", "1", "2", "100000*100000", "8"}});
  const Outcome none = WritePicturePatch(image, list, {}, dir.Path("n.s3"), {});
  EXPECT_FALSE(none.ok);
  EXPECT_EQ(none.message, 0);
  for (int bad : {1, 2, 3}) {
    const Outcome out = WritePicturePatch(image, list, {0, bad}, dir.Path("p.s3"), {});
    EXPECT_EQ(out.message, 2) << bad;
  }
  EXPECT_TRUE(test::FilesIn(dir.Path()).empty());
  // The patch does not care about the dimensions.
  EXPECT_EQ(WritePicturePatch(image, list, {4}, dir.Path("p.s3"), {}).message, 10);
  // A stop asked for between rows leaves no file.
  EXPECT_FALSE(WritePicturePatch(image, list, {0, 4}, dir.Path("q.s3"), [](std::int64_t) { return false; }).ok);
  EXPECT_EQ(test::FilesIn(dir.Path()), std::vector<std::string>{"p.s3"});
}

}  // namespace
}  // namespace korvana::pictures
