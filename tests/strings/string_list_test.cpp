#include "strings/string_list.h"

#include <gtest/gtest.h>

#include "image/hex.h"

namespace korvana::strings {
namespace {

TEST(StringList, PadsTheReplacementToTheFoundLength) {
  StringList list;
  ASSERT_TRUE(list.Add2List("00000100", "00000105", "abc", "6").ok);
  EXPECT_EQ(list.Rows()[0].replacement, "abc   ");
  // Characters are counted, not bytes; a half rounds to even; a longer
  // text stays whole.
  EXPECT_EQ(PaddedReplacement("中文", "3.5"), "中文  ");
  EXPECT_EQ(PaddedReplacement("ab", "2.5"), "ab");
  EXPECT_EQ(PaddedReplacement("abcdef", "3"), "abcdef");
  EXPECT_EQ(PaddedReplacement("ab", ""), "ab");
}

TEST(StringList, RowsAreSortedByAddressAndKeepTheirNumbers) {
  StringList list;
  ASSERT_TRUE(list.Add2List("00012000", "00012003", "Hi", "4").ok);
  ASSERT_TRUE(list.Add2List("00010000", "00010001", "Ok", "2").ok);
  ASSERT_EQ(list.RowCount(), 2);
  EXPECT_EQ(list.RowTexts(0), (std::vector<std::string>{"02", "00010000", "00010001", "Ok", "2"}));
  EXPECT_EQ(list.RowTexts(1), (std::vector<std::string>{"01", "00012000", "00012003", "Hi  ", "4"}));
  EXPECT_EQ(RangeOf(list.Rows()[1]).first, 0x12000);
  EXPECT_EQ(RangeOf(list.Rows()[1]).last, 0x12003);

  // Removing does not renumber; the next row counts the rows it sees.
  list.Removeone(0);
  ASSERT_TRUE(list.Add2List("00011000", "00011000", "x", "1").ok);
  EXPECT_EQ(list.RowTexts(0)[0], "02");
  EXPECT_EQ(list.RowTexts(1)[0], "01");
}

TEST(StringList, IncompleteFieldsAreRefusedWithMessage25) {
  StringList list;
  EXPECT_EQ(list.Add2List("", "00000105", "abc", "6").message, msg::kIncompleteInfo);
  EXPECT_EQ(list.Add2List("00000100", "", "abc", "6").message, msg::kIncompleteInfo);
  EXPECT_EQ(list.Add2List("00000100", "00000105", "", "6").message, msg::kIncompleteInfo);
  // A typed length would be padded from a huge number: refused instead.
  EXPECT_EQ(list.Add2List("00000100", "00000105", "abc", "999999999").message, msg::kIncompleteInfo);
  EXPECT_EQ(list.RowCount(), 0);
}

TEST(StringList, MenuEnablingRemovalAndTicks) {
  StringList list;
  EXPECT_FALSE(list.menufile4State().remove);
  EXPECT_FALSE(list.menufile4State().output);
  ASSERT_TRUE(list.Add2List("00000010", "00000012", "a", "3").ok);
  ASSERT_TRUE(list.Add2List("00000020", "00000022", "b", "3").ok);
  EXPECT_TRUE(list.menufile4State().remove);
  EXPECT_FALSE(list.menufile4State().output);
  EXPECT_TRUE(list.SetTicked(1, true));
  EXPECT_FALSE(list.SetTicked(2, true));
  EXPECT_TRUE(list.menufile4State().output);
  EXPECT_EQ(list.TickedCount(), 1);
  list.Removeone(-1);
  EXPECT_EQ(list.RowCount(), 2);
  list.Removeone(1);
  EXPECT_FALSE(list.menufile4State().output);
  list.Removeall();
  EXPECT_EQ(list.RowCount(), 0);
}

TEST(StringList, TypedAddressesOverflowLikeEveryHexField) {
  StringList list;
  ASSERT_TRUE(list.Add2List("80000000", "80000001", "ab", "2").ok);
  EXPECT_THROW((void)RangeOf(list.Rows()[0]), image::HexOverflow);
}

}  // namespace
}  // namespace korvana::strings
