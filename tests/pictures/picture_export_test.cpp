#include "pictures/picture_export.h"

#include <gtest/gtest.h>

#include "bmp_test_support.h"
#include "support/test_support.h"

namespace korvana::pictures {
namespace {

using test::FilesIn;
using test::TempDir;

// An image of 64 bytes counting up from 0.
image::HandsetImage Counting() {
  std::vector<std::uint8_t> bytes(64);
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i);
  image::HandsetImage image;
  image.Assign(std::move(bytes), "fw.bin");
  return image;
}

TEST(ExportFileName, TwoDigitsThenThreeAndTrimmedName) {
  EXPECT_EQ(ExportFileName("/out/", "Logo", 1), "/out/Logo-01.bmp");
  EXPECT_EQ(ExportFileName("/out", " Logo ", 12), "/out/Logo-12.bmp");
  EXPECT_EQ(ExportFileName("/out/", "Logo", 100), "/out/Logo-100.bmp");
  EXPECT_EQ(ExportFileName("/out/", "../..\\x", 1), "/out/.._.._x-01.bmp");
}

TEST(ExportPictures, EveryFrameOfTheChosenRowsAsBmpFilesUntilAFailure) {
  TempDir dir;
  const image::HandsetImage image = Counting();
  PictureList list;
  list.SetRows({{"001", "Anim", "0X00000001", "3", "3", "1*1", "24"},  // three 1 x 1 frames
                {"002", "Odd", "0X00000000", "1", "1", "1*1", "7"},
                {"003", "Huge", "0X00000000", "1", "1", "100000*100000", "16"},
                {"004", "Many", "0X00000000", "60000", "1", "1*1", "8"}});
  std::vector<std::string> refused;
  std::vector<std::int64_t> steps;
  const Outcome out = ExportPictures(
      image, list, {0, 1, 7}, dir.Path(), {}, [&](std::int64_t i) { return steps.push_back(i), true; },
      [&](const PictureEntry& row) { refused.push_back(row.number); });
  EXPECT_EQ(std::tuple(out.ok, out.message, out.written.size()), std::tuple(true, msg::kBmpWritten, 3u));
  EXPECT_EQ(FilesIn(dir.Path()), (std::vector<std::string>{"Anim-01.bmp", "Anim-02.bmp", "Anim-03.bmp"}));
  EXPECT_EQ(test::ReadBytes(dir.Path("Anim-02.bmp")), bmptest::Bmp24({{{4, 5, 6}}}));
  EXPECT_EQ(refused, std::vector<std::string>{"002"});  // the depth-7 frame is skipped
  EXPECT_EQ(steps, (std::vector<std::int64_t>{1, 2}));

  // A failure keeps the files written before it.
  const Outcome huge = ExportPictures(image, list, {0, 2}, dir.Path(), {}, {}, {});
  EXPECT_EQ(std::tuple(huge.message, huge.written.size()), std::tuple(msg::kPictureTableBad, 3u));
  EXPECT_EQ(ExportPictures(image, list, {3}, dir.Path(), {}, {}, {}).message, msg::kFileError);
  const Outcome unwritable = ExportPictures(image, list, {0}, dir.Path("missing"), {}, {}, {});
  EXPECT_EQ(std::tuple(unwritable.message, unwritable.written.size()), std::tuple(msg::kFileError, 0u));
  const Outcome stopped = ExportPictures(image, list, {0, 1}, dir.Path(), {}, [](std::int64_t) { return false; }, {});
  EXPECT_EQ(std::tuple(stopped.ok, stopped.message, stopped.written.size()), std::tuple(false, msg::kNone, 3u));
  EXPECT_EQ(FilesIn(dir.Path()).size(), 3u);
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
