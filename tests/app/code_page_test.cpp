#include "app/code_page.h"

#include <gtest/gtest.h>

namespace korvana::app {
namespace {

TEST(CodePage, GbkByDefaultBothWays) {
  EXPECT_EQ(AnsiCodePageName(), "CP936");
  const auto gbk = Utf8ToAnsiStrict("中文 Menu");
  ASSERT_TRUE(gbk);
  EXPECT_EQ(*gbk, "\xD6\xD0\xCE\xC4 Menu");
  EXPECT_EQ(AnsiToUtf8(*gbk), "中文 Menu");
}

TEST(CodePage, WhatTheCodePageLacksIsRefusedOrMarked) {
  EXPECT_FALSE(Utf8ToAnsiStrict("Grüße"));  // ü and ß are not in GBK
  EXPECT_EQ(Utf8ToAnsi("Größe"), "Gr??e");
  EXPECT_FALSE(Utf8ToAnsiStrict("\xFF"));    // not UTF-8 at all
  EXPECT_EQ(AnsiToUtf8("A\xFF" "B"), "A\xEF\xBF\xBD" "B");
}

}  // namespace
}  // namespace korvana::app
