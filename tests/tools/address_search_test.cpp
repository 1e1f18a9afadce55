// Reading addresses and sizes as the fields hold them, and finding where an address or record is stored.

#include <gtest/gtest.h>

#include <cmath>

#include "image/handset_image.h"
#include "image/hex.h"
#include "tools/lenient_number.h"
#include "tools/place_search.h"
#include "tools/stored_address.h"

namespace korvana::tools {
namespace {

using Bytes4 = StoredAddress;
using Rows = std::vector<std::vector<std::string>>;

// "ä" (several UTF-8 bytes) is one place, read as 0; a "0x" in front reads as zero digits.
TEST(StoredAddress, IsLeastSignificantByteFirstForShortAndPrefixedTexts) {
  const std::pair<const char*, Bytes4> cases[] = {
      {"00123456", {0x56, 0x34, 0x12, 0x00}}, {"1A2B", {0x2B, 0x1A, 0x00, 0x00}}, {"a1b2c4", {0xC4, 0xB2, 0xA1, 0x00}},
      {"0x00123456", {0x56, 0x34, 0x12, 0x00}}, {"0x1A2B", {0x2B, 0x1A, 0x00, 0x00}},
      {"FFFFFFFF", {0xFF, 0xFF, 0xFF, 0xFF}},  // eight digits may be any 32-bit value
      {"000012345678", {0x78, 0x56, 0x34, 0x12}}, {"12\xC3\xA4" "4", {0x04, 0x12, 0x00, 0x00}},
      {"\xC3\xA4" "0001234", {0x34, 0x12, 0x00, 0x00}}, {"\xC3\xA4" "00001234", {0x34, 0x12, 0x00, 0x00}}};
  for (const auto& [text, bytes] : cases) EXPECT_EQ(StoredAddressOf(text), bytes) << text;
  // A ninth non-zero digit cannot be stored.
  for (const char* text : {"123456789", "1\xC3\xA4" "0001234", "100000000"}) {
    EXPECT_THROW((void)StoredAddressOf(text), image::HexOverflow) << text;
  }
  EXPECT_EQ(AddressDigitsOf("0x0000\xC3\xA4" "100"), "0000\xC3\xA4" "100");
}

// Sides are read as the picture list reads them: leniently, rounded.
TEST(PictureRecord, RefusesDimensionsNoRecordCanHold) {
  for (const char* text : {"128x160", "", "1e300*5", "5*1e300"}) EXPECT_FALSE(DimensionsOf(text)) << text;
  for (const char* text : {"65536*1", "-1*1", "1*65536", "1*-1"}) EXPECT_FALSE(PictureRecordOf(*DimensionsOf(text), {}));
  EXPECT_EQ(PictureRecordOf(*DimensionsOf("65535*0"), {1, 2, 3, 4}),
            (PictureRecord{0xFF, 0xFF, 0, 0, 1, 2, 3, 4}));
  const auto lenient = DimensionsOf(" 1 28 px*160.4*9");
  ASSERT_TRUE(lenient);
  EXPECT_EQ(lenient->width * 1000 + lenient->height, 128160);
}

TEST(LenientNumber, ReadsTheNumberAtTheStart) {
  const std::pair<const char*, double> cases[] = {
      {"5186", 5186}, {"12abc", 12}, {" 4 0 96 ", 4096}, {"\t1\n2", 12}, {"", 0}, {"abc", 0}, {"&H10", 16},
      {"&hff zz", 255}, {"&HFFFF", 65535},  // no 16-bit sign games with a size
      {"&O17", 15}, {"&o18", 1}, {"&", 0}, {"&x5", 0}, {"-16", -16}, {"+7", 7}, {"1.5kg", 1.5}, {"3e2", 300},
      {"3E-1", 0.3}, {"3e", 3}, {"2D1", 20}, {"2d+1", 20}, {"1,5", 1}, {"-", 0}, {".5", 0.5}, {"1e-400", 0}};
  for (const auto& [text, value] : cases) EXPECT_EQ(LenientNumber(text), value) << text;
  EXPECT_EQ(std::pair(LenientNumber("1e400"), LenientNumber("-1e400")), std::pair(HUGE_VAL, -HUGE_VAL));
}

Rows RowsOf(const PlaceList& list) {
  Rows rows;
  for (int r = 0; r < list.RowCount(); ++r) rows.push_back(list.RowTexts(r));
  return rows;
}

image::HandsetImage ImageWith(std::size_t size, const std::vector<std::pair<std::size_t, Bytes4>>& at) {
  std::vector<std::uint8_t> bytes(size, 0xFF);
  for (const auto& [pos, content] : at) std::copy(content.begin(), content.end(), bytes.begin() + static_cast<long>(pos));
  image::HandsetImage image;
  image.Assign(std::move(bytes), "fw.bin");
  return image;
}

// Every place is numbered; one of several is not ticked, a single hit is.
TEST(AddressSearch, NumbersEveryPlaceAndTicksOnlyASingleHit) {
  const Bytes4 stored{0x56, 0x34, 0x12, 0x00};
  auto image = ImageWith(0x3000, {{0x1000, stored}, {0x2000, stored}});
  image.SetSearchStart(0x1800);  // left over from another search
  PlaceList places;
  places.Add(7);  // rows of an earlier search go
  std::vector<std::int64_t> progress;
  EXPECT_TRUE(FindAddressPlaces(image, "00123456", places, [&](std::int64_t v) { return progress.push_back(v), true; }).ok);
  EXPECT_EQ(RowsOf(places), (Rows{{"01", "0x00001000"}, {"02", "0x00002000"}}));
  EXPECT_EQ(places.FirstTickedPlace(), std::nullopt);
  EXPECT_EQ(progress, (std::vector<std::int64_t>{0x1000, 0x2000, 0x2001}));  // the two hits, the miss one past
  EXPECT_EQ(image.SearchStart(), 0);

  image = ImageWith(0x100, {{0x40, stored}});
  EXPECT_TRUE(FindAddressPlaces(image, "123456", places, {}).ok);
  EXPECT_EQ(RowsOf(places), (Rows{{"01", "0x00000040"}}));
  EXPECT_EQ(places.FirstTickedPlace(), 0x40);
  EXPECT_TRUE(FindAddressPlaces(image, "00654321", places, {}).ok);
  EXPECT_EQ(places.RowCount(), 0);
  places.Add(5);
  EXPECT_TRUE(FindAddressPlaces(image, "", places, {}).ok);  // no address: nothing happens
  EXPECT_EQ(places.RowCount(), 1);
}

TEST(AddressSearch, OverlappingHitsEveryPlaceNumberedOnAndItsStops) {
  // Address 0 stands at every index but 0 (never examined), more often than a 16-bit count holds.
  image::HandsetImage image;
  image.Assign(std::vector<std::uint8_t>(33000, 0), "zeros.bin");
  PlaceList places;
  EXPECT_TRUE(FindAddressPlaces(image, "0", places, {}).ok);
  ASSERT_EQ(places.RowCount(), 33000 - 4);
  EXPECT_EQ(places.RowTexts(0), (std::vector<std::string>{"01", "0x00000001"}));
  EXPECT_EQ(places.RowTexts(102), (std::vector<std::string>{"103", "0x00000067"}));
  int calls = 0;
  const Outcome out = FindAddressPlaces(image, "00000000", places, [&](std::int64_t) { return ++calls < 3; });
  EXPECT_EQ(std::pair(out.ok, out.message), std::pair(false, msg::kNone));
  EXPECT_EQ(places.RowCount(), 3);
  EXPECT_EQ(image.SearchStart(), 0);
  // A stopped search with one hit does not tick it: there may be more.
  (void)FindAddressPlaces(image, "00000000", places, [](std::int64_t) { return false; });
  EXPECT_EQ(places.RowCount(), 1);
  EXPECT_FALSE(places.Ticked(0));
}

}  // namespace
}  // namespace korvana::tools
