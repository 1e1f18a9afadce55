#include "image/hex.h"

#include <gtest/gtest.h>

#include <string>

#include "image/handset_image.h"
#include "image/path.h"

namespace korvana::image {
namespace {

using Texts = std::pair<std::string, std::string>;  // what came out, what should

TEST(HexToLong, EveryCharacterTakesAPlaceAndNonDigitsReadAsZero) {
  const std::pair<std::string, std::int64_t> cases[] = {
      {"00A1", 161}, {"0x10", 16}, {"0x1F", 31}, {"1F ", 496}, {"G1", 1}, {"&h10", 16}, {"", 0}, {"ff", 255},
      {"1\xC3\xA4", 16},  // a character of several UTF-8 bytes takes one place, as any character
      {"000000000000000000000001", 1}, {"7FFFFFFF", 2147483647}, {std::string(256, '0'), 0}};
  for (const auto& [text, value] : cases) EXPECT_EQ(HexToLong(text), value) << text;
  // 16^256 is no longer a number: a text of zeros that long overflows too.
  for (const std::string text : {"80000000", "FFFFFFFF", "100000000", "1000000000000000000"}) {
    EXPECT_THROW((void)HexToLong(text), HexOverflow) << text;
  }
  EXPECT_THROW((void)HexToLong(std::string(257, '0')), HexOverflow);
}

TEST(HexText, DigitsPadsAndCutsCountCharactersNotBytes) {
  EXPECT_EQ((std::vector<int>{HexDigitValue("a"), HexDigitValue("F"), HexDigitValue("G"), HexDigitValue("12"),
                              HexDigitValue(""), HexByteValue("Ff"), HexByteValue("1G"), HexByteValue("f"),
                              HexByteValue("123"), HexByteValue("\xC3\xA4" "4"), HexByteValue("\xC3\xA4")}),
            (std::vector<int>{10, 15, 0, 0, 0, 255, 16, 0, 0, 4, 0}));
  const Texts cases[] = {
      {HexPad(300, 2), "12C"}, {HexPad(-1, 8), "FFFFFFFF"}, {ZeroPad("ABC", 2), "ABC"}, {ByteToHex2(5), "05"},
      {ZeroPad("12\xC3\xA4" "4", 8), "000012\xC3\xA4" "4"}, {ZeroPad("\xC3\xA4", 2), "0\xC3\xA4"},
      {std::string(LastCharacters("0x0000\xC3\xA4" "100", 8)), "0000\xC3\xA4" "100"},
      {std::string(LastCharacters("AB", 8)), "AB"}};
  for (const auto& [got, want] : cases) EXPECT_EQ(got, want);
  EXPECT_EQ(CharacterCount("\x80" "A\xC3\xA4"), 2u);  // a stray continuation byte takes no place
  EXPECT_EQ(PatternBytesOf("\xC3\xA4" "1FF"), (std::vector<std::uint8_t>{0x01, 0xFF}));
}

// The root stays a folder (an empty one means the program folder); joining never doubles a separator.
TEST(Paths, SplitAtTheLastSeparatorAndJoinWithOne) {
  const Texts cases[] = {
      {FileNameOf("/fw/a.bin"), "a.bin"}, {FolderOf("/fw/a.bin"), "/fw"}, {FolderOf("a.bin"), ""},
      {JoinPath(FolderOf("/a.bin"), "b.bin"), "/b.bin"}, {JoinPath("/fw/", "a.bin"), "/fw/a.bin"},
      {WithTrailingSeparator("/fw//"), "/fw/"}, {WithTrailingSeparator("/"), "/"}, {WithTrailingSeparator(""), ""}};
  for (const auto& [got, want] : cases) EXPECT_EQ(got, want);
}

}  // namespace
}  // namespace korvana::image
