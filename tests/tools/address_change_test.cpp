#include <gtest/gtest.h>

#include "image/handset_image.h"
#include "image/hex.h"
#include "support/test_support.h"
#include "tools/address_change.h"

namespace korvana::tools {
namespace {

using test::TempDir;

image::HandsetImage ZeroImage(std::size_t size) {
  image::HandsetImage image;
  image.Assign(std::vector<std::uint8_t>(size, 0), "fw.bin");
  return image;
}

std::vector<std::uint8_t> At(const image::HandsetImage& image, std::size_t pos, std::size_t n) {
  const auto bytes = image.Bytes();
  return {bytes.begin() + static_cast<long>(pos), bytes.begin() + static_cast<long>(pos + n)};
}

TEST(AddressChange, WritesTheStoredFormAtTheFirstTickedPlaceOnly) {
  auto image = ZeroImage(0x3000);
  PlaceList places;
  places.Add(0x1000);
  places.Add(0x2000);
  places.SetTicked(0, true);
  places.SetTicked(1, true);
  const Outcome out = ChangeAddress(image, places, "1A2B");
  EXPECT_TRUE(out.ok);
  EXPECT_EQ(out.message, msg::kFileModified);
  EXPECT_TRUE(image.Modified());
  EXPECT_EQ(At(image, 0x1000, 4), (std::vector<std::uint8_t>{0x2B, 0x1A, 0x00, 0x00}));
  EXPECT_EQ(At(image, 0x2000, 4), (std::vector<std::uint8_t>{0, 0, 0, 0}));
}

TEST(AddressChange, RefusesEmptyAddressNoTickAndPlacesOutsideTheImage) {
  auto image = ZeroImage(0x100);
  PlaceList places;
  places.Add(0x10);
  EXPECT_EQ(ChangeAddress(image, places, "").message, msg::kEnterOffset);
  EXPECT_EQ(ChangeAddress(image, places, "1234").message, msg::kSelectRows);
  // The last four bytes may change; one byte further may not.
  EXPECT_EQ(ChangeAddressAt(image, 0xFC, "11223344").message, msg::kFileModified);
  EXPECT_EQ(At(image, 0xFC, 4), (std::vector<std::uint8_t>{0x44, 0x33, 0x22, 0x11}));
  image.SetModified(false);
  EXPECT_EQ(ChangeAddressAt(image, 0xFD, "11223344").message, msg::kFileError);
  EXPECT_FALSE(image.Modified());
  EXPECT_THROW((void)ChangeAddressAt(image, 0x10, "100000000"), image::HexOverflow);
}

TEST(OffsetPatch, WritesTheAddressAndSizeEntryAsOneLineOrNothing) {
  TempDir dir;
  const std::string out = dir.Path("tone.s3");
  EXPECT_EQ(MissingOffsetFields("", ""), (std::vector<int>{msg::kEnterOffset, msg::kEnterToneSize}));
  EXPECT_EQ(WriteOffsetPatch(0x2000, "A00000", "", out).message, msg::kEnterToneSize);
  EXPECT_EQ(WriteOffsetPatch(0x2000, "", "", out).message, msg::kEnterOffset);
  for (const char* size : {"12abc", "-5", "2147483648", "1.5"}) {
    const Outcome o = WriteOffsetPatch(0x2000, "A00000", size, out);
    EXPECT_FALSE(o.ok) << size;
    EXPECT_EQ(o.message, msg::kNone) << size;
  }
  // The entry's eight bytes must lie below 80000000.
  EXPECT_EQ(WriteOffsetPatch(0x7FFFFFF9, "1", "1", out).message, msg::kFileError);
  EXPECT_TRUE(test::FilesIn(dir.Path()).empty());

  EXPECT_EQ(WriteOffsetPatch(0x2000, "00A00000", "1000", out).message, msg::kS3Okay);
  EXPECT_EQ(test::ReadText(out), "S00600004844521B\r\nS30D000020000000A000E803000047\r\nS705A002000058\r\n");
}

TEST(PictureOffsetPatch, WritesTheAddressFieldFourBytesIntoTheRecord) {
  TempDir dir;
  const std::string out = dir.Path("pic.s3");
  EXPECT_EQ(WritePictureOffsetPatch(0x5000, "00A20000", out).message, msg::kS3Okay);
  EXPECT_EQ(test::ReadText(out), "S00600004844521B\r\nS309000050040000A20000\r\nS705A002000058\r\n");
  EXPECT_EQ(WritePictureOffsetPatch(0x5000, "", dir.Path("none.s3")).message, msg::kEnterOffset);
  EXPECT_EQ(WritePictureOffsetPatch(0x7FFFFFF9, "1", dir.Path("none.s3")).message, msg::kFileError);
  EXPECT_EQ(WritePictureOffsetPatch(0x10, "1", dir.Path("no/such/folder.s3")).message, msg::kFileError);
  EXPECT_EQ(test::FilesIn(dir.Path()), std::vector<std::string>{"pic.s3"});
}

}  // namespace
}  // namespace korvana::tools
