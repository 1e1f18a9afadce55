#include "app/message_table.h"

#include <gtest/gtest.h>

namespace korvana::app {
namespace {

TEST(MessageTable, EntriesCarryTheirTitleIconAndExactTextAndGapsShowNothing) {
  for (int n : {0, 35, 45, -1}) EXPECT_FALSE(MessageFor(n)) << n;
  EXPECT_EQ(MessageText(35), "");
  const auto searchDone = MessageFor(26);
  ASSERT_TRUE(searchDone);
  EXPECT_EQ(searchDone->title, "查找完毕");
  EXPECT_EQ(searchDone->icon, MessageIcon::kExclamation);
  EXPECT_EQ(searchDone->text, "已经查找完整个文件!");
  EXPECT_EQ(MessageText(1), "空文件！");                    // full-width mark
  EXPECT_EQ(MessageText(25), "信息不完整,不能加入列表！");  // ASCII comma
  EXPECT_EQ(MessageFor(2)->icon, MessageIcon::kCritical);
  EXPECT_EQ(MessageFor(34)->icon, MessageIcon::kInformation);
  const auto noChanges = MessageFor(44);
  ASSERT_TRUE(noChanges);
  EXPECT_EQ(noChanges->title, "抱歉");
  EXPECT_EQ(noChanges->icon, MessageIcon::kInformation);
  EXPECT_EQ(noChanges->text, "没有任何修改!");
  // 14 and 15 are empty boxes, still shown.
  ASSERT_TRUE(MessageFor(14));
  EXPECT_TRUE(MessageFor(14)->title.empty() && MessageFor(14)->text.empty());
}

}  // namespace
}  // namespace korvana::app
