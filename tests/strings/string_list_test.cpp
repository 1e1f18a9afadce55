#include "strings/string_list.h"

#include <gtest/gtest.h>

namespace korvana::strings {
namespace {

TEST(StringList, PadsAndSortsByAddressKeepingTheNumbers) {
  StringList list;
  ASSERT_TRUE(list.AddReplacement("00012000", "00012005", "abc", "6").ok);
  ASSERT_TRUE(list.AddReplacement("00010000", "00010006", "中文", "3.5").ok);
  EXPECT_EQ(list.RowTexts(0), (std::vector<std::string>{"02", "00010000", "00010006", "中文  ", "3.5"}));
  EXPECT_EQ(list.RowTexts(1), (std::vector<std::string>{"01", "00012000", "00012005", "abc   ", "6"}));
  EXPECT_EQ(PaddedReplacement("abcdef", "3"), "abcdef");
  // Removing does not renumber; the next row counts the rows it sees.
  list.RemoveRow(0);
  list.RemoveRow(-1);
  ASSERT_TRUE(list.AddReplacement("00011000", "00011000", "x", "1").ok);
  EXPECT_EQ(list.RowTexts(0)[0] + list.RowTexts(1)[0], "0201");
}

TEST(StringList, RefusalsMenuAndTicks) {
  StringList list;
  EXPECT_EQ(list.AddReplacement("", "00000105", "abc", "6").message, msg::kIncompleteInfo);
  EXPECT_EQ(list.AddReplacement("00000100", "00000105", "", "6").message, msg::kIncompleteInfo);
  // A typed length that would pad without bound.
  EXPECT_EQ(list.AddReplacement("00000100", "00000105", "abc", "999999999").message, msg::kIncompleteInfo);
  EXPECT_FALSE(list.ContextMenuState().remove);
  ASSERT_TRUE(list.AddReplacement("00000010", "00000012", "a", "3").ok);
  EXPECT_TRUE(list.ContextMenuState().remove);
  EXPECT_FALSE(list.ContextMenuState().output);
  EXPECT_TRUE(list.SetTicked(0, true));
  EXPECT_TRUE(list.ContextMenuState().output);
  list.RemoveAll();
  EXPECT_EQ(list.RowCount(), 0);
}

}  // namespace
}  // namespace korvana::strings
