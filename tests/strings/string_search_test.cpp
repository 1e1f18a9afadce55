#include "strings/string_search.h"

#include <gtest/gtest.h>

#include <cstring>

namespace korvana::strings {
namespace {

// An image of 0xEE bytes with byte strings placed at addresses.
image::HandsetImage ImageOf(std::size_t size, const std::vector<std::pair<std::size_t, std::string>>& places) {
  std::vector<std::uint8_t> bytes(size, 0xEE);
  for (const auto& [at, text] : places) std::memcpy(bytes.data() + at, text.data(), text.size());
  image::HandsetImage image;
  image.Assign(std::move(bytes), "fw.bin");
  return image;
}

const std::string kZero(1, '\0');
const StringSearchRequest kMenu{"Menu", StringEncoding::kEnglish, false};

TEST(SearchString, ThreeClicksOnATextThatOccursTwice) {
  image::HandsetImage image = ImageOf(0x400, {{0x100, "Menu" + kZero}, {0x200, "Menu 2" + kZero}});
  StringSearchFields f;
  ASSERT_TRUE(SearchString(image, kMenu, f).ok);
  EXPECT_EQ(f.counter + f.start + f.stop + f.length, "1" "00000100" "00000103" "4");
  ASSERT_TRUE(SearchString(image, kMenu, f).ok);
  EXPECT_EQ(f.counter + f.start + f.stop + f.length, "2" "00000200" "00000205" "6");
  EXPECT_EQ(f.replacementLimit, 6);
  EXPECT_EQ(SearchString(image, kMenu, f).message, msg::kSearchFinished);
  EXPECT_EQ(f.start, "");
  ASSERT_TRUE(SearchString(image, kMenu, f).ok);
  EXPECT_EQ(f.counter + f.start, "1" "00000100");

  // "ab Begin": the first occurrence every time, the counter stays at 1.
  for (int click = 0; click < 2; ++click) {
    ASSERT_TRUE(SearchString(image, {"Menu", StringEncoding::kEnglish, true}, f).ok);
    EXPECT_EQ(f.counter + f.start, "1" "00000100");
  }
}

TEST(SearchString, LengthAndLimitOfShortAndOddStrings) {
  // "A" ends at once; U+0100 is 01 00 in the two-byte form, so its string
  // ends inside the searched bytes: half a character, no limit.
  image::HandsetImage image = ImageOf(0x400, {{0x20, "A" + kZero},
                                              {0x30, std::string("\x01\x00", 2)},
                                              {0x80, "\x8B\xBE\x7F\x6E\x41" + kZero},
                                              {0x180, "\x8B\xBE\x7F\x6E\x41\x42\x43" + kZero}});
  StringSearchFields f;
  ASSERT_TRUE(SearchString(image, {"A", StringEncoding::kEnglish, true}, f).ok);
  EXPECT_EQ(f.start + f.stop + f.length, "00000020" "00000020" "1");
  ASSERT_TRUE(SearchString(image, {"Ā", StringEncoding::kChinese, true}, f).ok);
  EXPECT_EQ(f.start + f.stop + f.length, "00000030" "00000030" "0.5");
  EXPECT_EQ(f.replacementLimit, 0);
  // 设置 then 5 and 7 bytes: 2.5 rounds to 2, 3.5 to 4.
  ASSERT_TRUE(SearchString(image, {"设置", StringEncoding::kChinese, false}, f).ok);
  EXPECT_EQ(f.length + "/" + std::to_string(f.replacementLimit), "2.5/2");
  ASSERT_TRUE(SearchString(image, {"设置", StringEncoding::kChinese, false}, f).ok);
  EXPECT_EQ(f.length + "/" + std::to_string(f.replacementLimit), "3.5/4");
}

TEST(SearchString, RefusalsAndHitsWithoutTerminator) {
  image::HandsetImage image = ImageOf(0x100, {{0x10, "Menu" + kZero}});
  StringSearchFields f;
  EXPECT_EQ(SearchString(image, {"", StringEncoding::kEnglish, false}, f).message, msg::kEnterSearchText);
  EXPECT_EQ(SearchString(image, {"Men\xC3\xB6", StringEncoding::kEnglish, false}, f).message, msg::kEnterSearchText);
  // The image ends before a zero follows the second hit: counted, not shown.
  std::vector<std::uint8_t> bytes(image.Bytes().begin(), image.Bytes().end());
  std::memcpy(bytes.data() + 0xFC, "Menu", 4);
  image.Assign(std::move(bytes), "fw.bin");
  ASSERT_TRUE(SearchString(image, kMenu, f).ok);
  EXPECT_EQ(SearchString(image, kMenu, f).message, msg::kSearchFinished);
  EXPECT_EQ(f.counter + f.start, "2");
}

TEST(SearchString, TheCursorIsSharedWithOtherSearches) {
  image::HandsetImage image = ImageOf(0x400, {{0x100, "Menu" + kZero}, {0x200, "MMMD"}, {0x300, "Menu" + kZero}});
  StringSearchFields f;
  ASSERT_TRUE(SearchString(image, kMenu, f).ok);
  EXPECT_EQ(f.start, "00000100");
  // A tone scan between two clicks moves the cursor past its tone...
  ASSERT_TRUE(image.FindHexPattern("4D4D4D44"));
  ASSERT_TRUE(SearchString(image, kMenu, f).ok);
  EXPECT_EQ(f.counter + f.start, "2" "00000300");
  // ...and one that ends with a miss restarts the search and its counter.
  ASSERT_FALSE(image.FindHexPattern("4D4D4D44"));
  ASSERT_TRUE(SearchString(image, kMenu, f).ok);
  EXPECT_EQ(f.counter + f.start, "1" "00000100");
}

}  // namespace
}  // namespace korvana::strings
