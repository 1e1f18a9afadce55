#include "strings/string_search.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>

namespace korvana::strings {
namespace {

using image::HandsetImage;

// An image of 0xEE bytes with texts placed at addresses.
struct Place {
  std::size_t at;
  std::string bytes;
};
HandsetImage ImageOf(std::size_t size, const std::vector<Place>& places) {
  std::vector<std::uint8_t> bytes(size, 0xEE);
  for (const Place& p : places) std::memcpy(bytes.data() + p.at, p.bytes.data(), p.bytes.size());
  HandsetImage image;
  image.Assign(std::move(bytes), "fw.bin");
  return image;
}

std::string Z(std::string_view s) { return std::string(s) + std::string(1, '\0'); }

StringSearchRequest English(std::string text, bool fromBeginning = false) {
  return {std::move(text), StringEncoding::kEnglish, fromBeginning};
}
StringSearchRequest Chinese(std::string text) { return {std::move(text), StringEncoding::kChinese, false}; }

TEST(SeachString, ShowsStartStopAndLengthUpToTheZeroByte) {
  HandsetImage image = ImageOf(0x400, {{0x100, Z("Menu main")}});
  StringSearchFields f;
  EXPECT_TRUE(SeachString(image, English("Menu"), f).ok);
  EXPECT_EQ(f.counter, "1");
  EXPECT_EQ(f.start, "00000100");
  EXPECT_EQ(f.stop, "00000108");
  EXPECT_EQ(f.length, "9");
  EXPECT_EQ(f.replacementLimit, 9);
  EXPECT_EQ(image.SearchStart(), 0x100);
}

TEST(SeachString, HitFollowedAtOnceByZero) {
  HandsetImage english = ImageOf(0x100, {{0x20, Z("A")}});
  StringSearchFields f;
  ASSERT_TRUE(SeachString(english, English("A"), f).ok);
  EXPECT_EQ(f.start, "00000020");
  EXPECT_EQ(f.stop, "00000020");
  EXPECT_EQ(f.length, "1");
  EXPECT_EQ(f.replacementLimit, 1);

  // In the two-byte form U+0100 is 01 00: the string ends inside the
  // searched text's own bytes; half a character rounds to no limit.
  HandsetImage chinese = ImageOf(0x100, {{0x30, std::string("\x01\x00", 2)}});
  StringSearchFields g;
  ASSERT_TRUE(SeachString(chinese, Chinese("Ā"), g).ok);
  EXPECT_EQ(g.start, "00000030");
  EXPECT_EQ(g.stop, "00000030");
  EXPECT_EQ(g.length, "0.5");
  EXPECT_EQ(g.replacementLimit, 0);
}

TEST(SeachString, ThreeClicksOnATextThatOccursTwice) {
  HandsetImage image = ImageOf(0x400, {{0x100, Z("Menu")}, {0x200, Z("Menu 2")}});
  StringSearchFields f;
  ASSERT_TRUE(SeachString(image, English("Menu"), f).ok);
  EXPECT_EQ(f.counter, "1");
  EXPECT_EQ(f.start, "00000100");
  ASSERT_TRUE(SeachString(image, English("Menu"), f).ok);
  EXPECT_EQ(f.counter, "2");
  EXPECT_EQ(f.start, "00000200");
  EXPECT_EQ(f.length, "6");
  const Outcome third = SeachString(image, English("Menu"), f);
  EXPECT_FALSE(third.ok);
  EXPECT_EQ(third.message, msg::kSearchFinished);
  EXPECT_EQ(f.start, "");
  EXPECT_EQ(image.SearchStart(), 0);
  ASSERT_TRUE(SeachString(image, English("Menu"), f).ok);
  EXPECT_EQ(f.counter, "1");
  EXPECT_EQ(f.start, "00000100");
}

TEST(SeachString, AbBeginShowsTheFirstOccurrenceEveryTime) {
  HandsetImage image = ImageOf(0x400, {{0x100, Z("Menu")}, {0x200, Z("Menu")}});
  StringSearchFields f;
  for (int click = 0; click < 3; ++click) {
    ASSERT_TRUE(SeachString(image, English("Menu", true), f).ok);
    EXPECT_EQ(f.counter, "1");
    EXPECT_EQ(f.start, "00000100");
  }
}

TEST(SeachString, ChineseModeHalvesTheLengthAndRoundsTheLimitHalfToEven) {
  // 设置 in the two-byte form, then one odd byte before the zero: 5 bytes.
  HandsetImage image = ImageOf(0x400, {{0x80, Z("\x8B\xBE\x7F\x6E\x41")}, {0x180, Z("\x8B\xBE\x7F\x6E\x41\x42\x43")}});
  StringSearchFields f;
  ASSERT_TRUE(SeachString(image, Chinese("设置"), f).ok);
  EXPECT_EQ(f.length, "2.5");
  EXPECT_EQ(f.replacementLimit, 2);
  ASSERT_TRUE(SeachString(image, Chinese("设置"), f).ok);
  EXPECT_EQ(f.length, "3.5");
  EXPECT_EQ(f.replacementLimit, 4);
  EXPECT_EQ(RoundHalfEven(1.5), 2);
  EXPECT_EQ(RoundHalfEven(0.5), 0);
  EXPECT_EQ(RoundHalfEven(2.4), 2);
  EXPECT_EQ(RoundHalfEven(1e300), std::numeric_limits<std::int64_t>::max());
  EXPECT_EQ(DecimalValueOf(" 3.5x"), 3.5);
  EXPECT_EQ(DecimalValueOf("abc"), 0.0);
}

TEST(SeachString, AHitWithoutTerminatorIsCountedButNotShown) {
  std::vector<std::uint8_t> bytes(0x100, 0xEE);
  std::memcpy(bytes.data() + 0x10, "Menu\0", 5);
  std::memcpy(bytes.data() + 0xF0, "Menu", 4);  // the image ends before any zero
  HandsetImage image;
  image.Assign(std::move(bytes), "fw.bin");
  StringSearchFields f;
  ASSERT_TRUE(SeachString(image, English("Menu"), f).ok);
  const Outcome next = SeachString(image, English("Menu"), f);
  EXPECT_EQ(next.message, msg::kSearchFinished);
  EXPECT_EQ(f.counter, "2");
  EXPECT_EQ(f.start, "");
}

TEST(SeachString, EmptyOrUnencodableTextIsRefusedWithMessage27) {
  HandsetImage image = ImageOf(0x100, {{0x10, Z("Menu")}});
  StringSearchFields f{"5", "00000010", "00000013", "4", 4};
  EXPECT_EQ(SeachString(image, English(""), f).message, msg::kEnterSearchText);
  EXPECT_EQ(f.start, "00000010");  // an empty text leaves the fields alone
  const Outcome refused = SeachString(image, English("Men\xC3\xB6"), f);
  EXPECT_EQ(refused.message, msg::kEnterSearchText);
  EXPECT_FALSE(refused.detail.empty());
  EXPECT_EQ(f.start, "");
}

TEST(SeachString, TheCursorIsSharedWithOtherSearches) {
  // Strings at 0x100 and 0x300, a tone magic between them.
  HandsetImage image = ImageOf(0x400, {{0x100, Z("Menu")}, {0x200, "MMMD"}, {0x300, Z("Menu")}});
  StringSearchFields f;
  ASSERT_TRUE(SeachString(image, English("Menu"), f).ok);
  EXPECT_EQ(f.start, "00000100");
  // Another search (a tone scan) moves the cursor past the first tone...
  ASSERT_TRUE(image.FindHexPattern("4D4D4D44"));
  ASSERT_TRUE(SeachString(image, English("Menu"), f).ok);
  EXPECT_EQ(f.start, "00000300");
  EXPECT_EQ(f.counter, "2");
  // ...and one that ends with a miss puts it back at the beginning, which
  // restarts the string search and its counter.
  ASSERT_FALSE(image.FindHexPattern("4D4D4D44"));
  ASSERT_TRUE(SeachString(image, English("Menu"), f).ok);
  EXPECT_EQ(f.start, "00000100");
  EXPECT_EQ(f.counter, "1");
}

}  // namespace
}  // namespace korvana::strings
