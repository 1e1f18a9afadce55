#include "app/message_table.h"

#include <gtest/gtest.h>

namespace korvana::app {
namespace {

TEST(MessageTable, NumbersWithoutAnEntryShowNothing) {
  EXPECT_FALSE(MessageFor(0));
  EXPECT_FALSE(MessageFor(35));
  EXPECT_FALSE(MessageFor(44));
  EXPECT_FALSE(MessageFor(-1));
  EXPECT_EQ(MessageText(35), "");
}

TEST(MessageTable, EntriesCarryTheirTitleIconAndExactText) {
  const auto searchDone = MessageFor(26);
  ASSERT_TRUE(searchDone);
  EXPECT_EQ(searchDone->title, "查找完毕");
  EXPECT_EQ(searchDone->icon, MessageIcon::kExclamation);
  EXPECT_EQ(searchDone->text, "已经查找完整个文件!");

  EXPECT_EQ(MessageText(10), "s3-okay!");
  EXPECT_EQ(MessageText(1), "空文件！");              // full-width mark
  EXPECT_EQ(MessageText(2), "打开文件出错!");         // ASCII mark
  EXPECT_EQ(MessageText(25), "信息不完整,不能加入列表！");  // ASCII comma
  EXPECT_EQ(MessageFor(2)->icon, MessageIcon::kCritical);
  EXPECT_EQ(MessageFor(34)->title, "错误");
  EXPECT_EQ(MessageFor(34)->icon, MessageIcon::kInformation);
  EXPECT_EQ(MessageFor(43)->text, "替换的铃声大小大于内置铃声的大小！确认要替换吗？");
}

TEST(MessageTable, EntriesFourteenAndFifteenAreEmptyBoxes) {
  ASSERT_TRUE(MessageFor(14));
  EXPECT_EQ(MessageFor(14)->title, "");
  EXPECT_EQ(MessageFor(14)->text, "");
  EXPECT_EQ(MessageFor(15)->icon, MessageIcon::kInformation);
}

}  // namespace
}  // namespace korvana::app
