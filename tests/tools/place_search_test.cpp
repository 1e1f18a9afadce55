#include <gtest/gtest.h>

#include <vector>

#include "image/handset_image.h"
#include "tools/place_search.h"

namespace korvana::tools {
namespace {

using Rows = std::vector<std::vector<std::string>>;

Rows RowsOf(const PlaceList& list) {
  Rows rows;
  for (int r = 0; r < list.RowCount(); ++r) rows.push_back(list.RowTexts(r));
  return rows;
}

image::HandsetImage ImageWith(std::size_t size, const std::vector<std::pair<std::size_t, std::vector<std::uint8_t>>>& at) {
  std::vector<std::uint8_t> bytes(size, 0xFF);
  for (const auto& [pos, content] : at) std::copy(content.begin(), content.end(), bytes.begin() + static_cast<long>(pos));
  image::HandsetImage image;
  image.Assign(std::move(bytes), "fw.bin");
  return image;
}

TEST(AddressSearch, NumbersEveryPlaceAndTicksNoneOfSeveral) {
  auto image = ImageWith(0x3000, {{0x1000, {0x56, 0x34, 0x12, 0x00}}, {0x2000, {0x56, 0x34, 0x12, 0x00}}});
  image.SetSearchStart(0x1800);  // left over from another search
  PlaceList places;
  std::vector<std::int64_t> progress;
  const Outcome out = FindAddressPlaces(image, "00123456", places, [&](std::int64_t v) {
    progress.push_back(v);
    return true;
  });
  EXPECT_TRUE(out.ok);
  EXPECT_EQ(RowsOf(places), (Rows{{"01", "0x00001000"}, {"02", "0x00002000"}}));
  EXPECT_FALSE(places.Ticked(0) || places.Ticked(1));
  EXPECT_EQ(places.FirstTickedPlace(), std::nullopt);
  // After each step: the two hits, then the miss one past the last hit.
  EXPECT_EQ(progress, (std::vector<std::int64_t>{0x1000, 0x2000, 0x2001}));
  EXPECT_EQ(image.SearchStart(), 0);
}

TEST(AddressSearch, TicksTheSingleHitNothingFoundEmptiesAndNoAddressDoesNothing) {
  auto image = ImageWith(0x100, {{0x40, {0x56, 0x34, 0x12, 0x00}}});
  PlaceList places;
  places.Add(7);  // rows of an earlier search go
  EXPECT_TRUE(FindAddressPlaces(image, "123456", places, {}).ok);
  EXPECT_EQ(RowsOf(places), (Rows{{"01", "0x00000040"}}));
  EXPECT_EQ(places.FirstTickedPlace(), 0x40);
  EXPECT_TRUE(FindAddressPlaces(image, "00654321", places, {}).ok);
  EXPECT_EQ(places.RowCount(), 0);
  places.Add(5);
  EXPECT_TRUE(FindAddressPlaces(image, "", places, {}).ok);
  EXPECT_EQ(places.RowCount(), 1);
}

TEST(AddressSearch, OverlappingHitsEveryPlaceNumberedOnAndItsStops) {
  // Zero bytes everywhere: the address 0 stands at every index but 0 is
  // never examined, more often than a 16-bit count could hold.
  image::HandsetImage image;
  image.Assign(std::vector<std::uint8_t>(33000, 0), "zeros.bin");
  PlaceList places;
  Outcome out = FindAddressPlaces(image, "0", places, {});
  EXPECT_TRUE(out.ok);
  ASSERT_EQ(places.RowCount(), 33000 - 4);
  EXPECT_EQ(places.RowTexts(0), (std::vector<std::string>{"01", "0x00000001"}));
  EXPECT_EQ(places.RowTexts(102), (std::vector<std::string>{"103", "0x00000067"}));
  EXPECT_EQ(places.RowTexts(32767), (std::vector<std::string>{"32768", "0x00008000"}));
  EXPECT_EQ(places.RowTexts(32995), (std::vector<std::string>{"32996", "0x000080E4"}));
  EXPECT_EQ(image.SearchStart(), 0);

  int calls = 0;
  out = FindAddressPlaces(image, "00000000", places, [&](std::int64_t) { return ++calls < 3; });
  EXPECT_FALSE(out.ok);
  EXPECT_EQ(out.message, msg::kNone);
  EXPECT_EQ(places.RowCount(), 3);
  EXPECT_EQ(image.SearchStart(), 0);
  // A stopped search with one hit does not tick it: there may be more.
  out = FindAddressPlaces(image, "00000000", places, [](std::int64_t) { return false; });
  EXPECT_EQ(places.RowCount(), 1);
  EXPECT_FALSE(places.Ticked(0));
}

TEST(PictureSearch, FindsTheRecordByDimensionsAndAddress) {
  const std::vector<std::uint8_t> record{0x80, 0x00, 0xA0, 0x00, 0xC4, 0xB2, 0xA1, 0x00};
  // A record of other dimensions with the same address is not the picture's.
  auto image = ImageWith(0x6000, {{0x5000, record}, {0x3000, {0x80, 0x00, 0x80, 0x00, 0xC4, 0xB2, 0xA1, 0x00}}});
  PlaceList places;
  EXPECT_TRUE(FindPictureRecordPlaces(image, "00A1B2C4", "128*160", places, {}).ok);
  EXPECT_EQ(RowsOf(places), (Rows{{"01", "0x00005000"}}));
  EXPECT_TRUE(places.Ticked(0));

  // Large sides are searched with their high bytes.
  image = ImageWith(0x100, {{0x20, {0x40, 0x01, 0xF0, 0x00, 0x00, 0x10, 0x00, 0x00}}});
  EXPECT_TRUE(FindPictureRecordPlaces(image, "1000", "320*240", places, {}).ok);
  EXPECT_EQ(RowsOf(places), (Rows{{"01", "0x00000020"}}));

  // An empty address does nothing; dimensions no record holds clear the list silently.
  EXPECT_TRUE(FindPictureRecordPlaces(image, "", "1*1", places, {}).ok);
  EXPECT_EQ(places.RowCount(), 1);
  const Outcome out = FindPictureRecordPlaces(image, "10", "100", places, {});
  EXPECT_FALSE(out.ok);
  EXPECT_EQ(out.message, msg::kNone);
  EXPECT_EQ(places.RowCount(), 0);
}

TEST(PlaceListTicks, FirstTickedRowInListOrderWins) {
  PlaceList places;
  for (Address a : {0x100, 0x200, 0x300}) places.Add(a);
  EXPECT_TRUE(places.SetTicked(2, true));
  EXPECT_TRUE(places.SetTicked(1, true));
  EXPECT_FALSE(places.SetTicked(3, true));
  EXPECT_EQ(places.FirstTickedPlace(), 0x200);
  EXPECT_TRUE(places.SetTicked(1, false));
  EXPECT_EQ(places.FirstTickedPlace(), 0x300);
}

}  // namespace
}  // namespace korvana::tools
