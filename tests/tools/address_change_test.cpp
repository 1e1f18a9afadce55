// Changing a stored address in the image or as a patch, and the address after a block.

#include <gtest/gtest.h>

#include "image/handset_image.h"
#include "image/hex.h"
#include "support/test_support.h"
#include "tools/address_calculator.h"
#include "tools/address_change.h"

namespace korvana::tools {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes At(const image::HandsetImage& image, std::size_t pos, std::size_t n) {
  const auto bytes = image.Bytes().subspan(pos, n);
  return {bytes.begin(), bytes.end()};
}

// The first ticked place only; the image's last four bytes may change, one further may not.
TEST(AddressChange, WritesTheStoredFormAtTheFirstTickedPlaceWithinTheImage) {
  image::HandsetImage image;
  image.Assign(Bytes(0x3000, 0), "fw.bin");
  PlaceList places;
  for (Address at : {0x1000, 0x2000}) places.Add(at);
  EXPECT_EQ(ChangeAddress(image, places, "").message, msg::kEnterOffset);
  EXPECT_EQ(ChangeAddress(image, places, "1234").message, msg::kSelectRows);
  for (int row : {0, 1}) places.SetTicked(row, true);
  EXPECT_EQ(ChangeAddress(image, places, "1A2B").message, msg::kFileModified);
  EXPECT_EQ(image.Journal().UndoLabel(), "Adresse 0x00001000");
  EXPECT_EQ(At(image, 0x1000, 4), (Bytes{0x2B, 0x1A, 0x00, 0x00}));
  EXPECT_EQ(At(image, 0x2000, 4), (Bytes{0, 0, 0, 0}));

  EXPECT_EQ(ChangeAddressAt(image, 0x2FFC, "11223344").message, msg::kFileModified);
  EXPECT_EQ(At(image, 0x2FFC, 4), (Bytes{0x44, 0x33, 0x22, 0x11}));
  image.SetModified(false);
  EXPECT_EQ(ChangeAddressAt(image, 0x2FFD, "11223344").message, msg::kFileError);
  EXPECT_EQ(ChangeAddressAt(image, 0x10, "").message, msg::kEnterOffset);
  EXPECT_FALSE(image.Modified());
  EXPECT_THROW((void)ChangeAddressAt(image, 0x10, "100000000"), image::HexOverflow);
}

TEST(OffsetPatch, WritesTheAddressAndSizeEntryAsOneLineOrNothing) {
  test::TempDir dir;
  const std::string out = dir.Path("tone.s3");
  EXPECT_EQ(MissingOffsetFields("", ""), (std::vector<int>{msg::kEnterOffset, msg::kEnterToneSize}));
  EXPECT_EQ(WriteOffsetPatch(0x2000, "A00000", "", out).message, msg::kEnterToneSize);
  EXPECT_EQ(WriteOffsetPatch(0x2000, "", "", out).message, msg::kEnterOffset);
  for (const char* size : {"12abc", "-5", "2147483648", "1.5", " ", "1 2"}) {
    const Outcome o = WriteOffsetPatch(0x2000, "A00000", size, out);
    EXPECT_FALSE(o.ok) << size;
    EXPECT_EQ(o.message, msg::kNone) << size;
  }
  // The entry's eight bytes must lie below 80000000.
  EXPECT_EQ(WriteOffsetPatch(0x7FFFFFF9, "1", "1", out).message, msg::kFileError);
  EXPECT_TRUE(test::FilesIn(dir.Path()).empty());
  // Blanks around the size are no part of it; 2147483647 is the largest.
  EXPECT_EQ(WriteOffsetPatch(0x7FFFFFF8, "1", "\t2147483647 ", out).message, msg::kS3Okay);
  EXPECT_EQ(WriteOffsetPatch(0x2000, "00A00000", "1000", out).message, msg::kS3Okay);
  EXPECT_EQ(test::ReadText(out), "S00600004844521B\r\nS30D000020000000A000E803000047\r\nS705A002000058\r\n");

  // A picture record holds its address four bytes in: the last record place is 7FFFFFF8.
  EXPECT_EQ(WritePictureOffsetPatch(0x5000, "", dir.Path("none.s3")).message, msg::kEnterOffset);
  EXPECT_EQ(WritePictureOffsetPatch(0x7FFFFFF9, "1", dir.Path("none.s3")).message, msg::kFileError);
  EXPECT_EQ(WritePictureOffsetPatch(0x7FFFFFF8, "1", dir.Path("last.s3")).message, msg::kS3Okay);
  EXPECT_EQ(test::ReadText(dir.Path("last.s3")), "S00600004844521B\r\nS3097FFFFFFC010000007C\r\nS705A002000058\r\n");
  EXPECT_EQ(WritePictureOffsetPatch(0x10, "1", dir.Path("no/such/folder.s3")).message, msg::kFileError);
  EXPECT_EQ(test::FilesIn(dir.Path()), (std::vector<std::string>{"last.s3", "tone.s3"}));
}

TEST(AddressCalculator, GivesTheFirstAddressAfterTheBlockOrRefusesOnePast7FFFFFFF) {
  const std::pair<std::pair<const char*, const char*>, const char*> cases[] = {
      {{"1A2B00", "5186"}, "001A3F42"}, {{"00120000", "16"}, "00120010"}, {{"", "4096"}, "00001000"},
      {{"0x1000", "0"}, "00001000"}, {{"1000", "12abc"}, "0000100C"}, {{"ff", ""}, "000000FF"},
      {{"0", "&H10"}, "00000010"}, {{"10", "2.5"}, "00000012"},  // 18.5 rounds to the even 18
      {{"7FFFFFFE", "1"}, "7FFFFFFF"}, {{"10", "-16"}, "00000000"},
      {{"7FFFFFFF", "1"}, ""}, {{"10", "-17"}, ""}, {{"0", "1e300"}, ""}, {{"0", "-1e400"}, ""}};
  for (const auto& [in, text] : cases) {
    const NextAddress next = NextAddressAfter(in.first, in.second);
    EXPECT_EQ(next.text, text) << in.first << " + " << in.second;
    EXPECT_EQ(next.outcome.message, *text ? msg::kNone : msg::kStopNotAboveStart);
  }
  EXPECT_THROW((void)NextAddressAfter("80000000", "1"), image::HexOverflow);
}

}  // namespace
}  // namespace korvana::tools
