// The texts the program shows: its message table, the code page of the
// strings it writes, and the rows of the list of changes.

#include <gtest/gtest.h>

#include "app/change_list.h"
#include "app/code_page.h"
#include "app/message_table.h"
#include "image/handset_image.h"

namespace korvana::app {
namespace {

using Texts = std::vector<std::string>;

// Numbers outside the table and the gap at 35 show nothing; 14 and 15 are
// empty boxes, still shown. The entries at the ends of the table and beside
// the gap show that none slipped to another number; the texts themselves
// are data, not checked one by one.
TEST(MessageTable, NumbersOutsideTheTableAndTheGapShowNothing) {
  for (int n : {0, 35, 45, -1}) EXPECT_FALSE(MessageFor(n)) << n;
  EXPECT_EQ(MessageText(35), "");
  ASSERT_TRUE(MessageFor(14) && MessageFor(15) && MessageFor(1) && MessageFor(34) && MessageFor(36) && MessageFor(44));
  EXPECT_TRUE(MessageFor(14)->title.empty() && MessageFor(14)->text.empty());
  const std::pair<int, Texts> cases[] = {{1, {"错误", "空文件！"}},
                                         {34, {"错误", "不支持该色彩数!"}},
                                         {36, {"抱歉", "转换bmp文件失败!"}},
                                         {44, {"抱歉", "没有任何修改!"}}};
  for (const auto& [n, texts] : cases) {
    EXPECT_EQ((Texts{std::string(MessageFor(n)->title), std::string(MessageText(n))}), texts) << n;
  }
  EXPECT_EQ(MessageFor(2)->icon, MessageIcon::kCritical);
  EXPECT_EQ(MessageFor(44)->icon, MessageIcon::kInformation);
}

TEST(CodePage, GbkByDefaultBothWaysAndWhatItLacksIsRefusedOrMarked) {
  EXPECT_EQ(AnsiCodePageName(), "CP936");
  const auto gbk = Utf8ToAnsiStrict("中文 Menu");
  ASSERT_TRUE(gbk);
  EXPECT_EQ(*gbk, "\xD6\xD0\xCE\xC4 Menu");
  EXPECT_EQ(AnsiToUtf8(*gbk), "中文 Menu");
  EXPECT_FALSE(Utf8ToAnsiStrict("Grüße"));  // ü and ß are not in GBK
  EXPECT_EQ(Utf8ToAnsi("Größe"), "Gr??e");
  EXPECT_FALSE(Utf8ToAnsiStrict("\xFF"));  // not UTF-8 at all
  EXPECT_EQ(AnsiToUtf8("A\xFF" "B"), "A\xEF\xBF\xBD" "B");
}

// The rows follow the journal when reloaded: every change of a step of two
// writes is a row, and an undone step's rows carry the mark.
TEST(ChangeList, ShowsEveryChangeWithItsColumnsAndMarksTheUndoneOnes) {
  image::HandsetImage image;
  image.Assign(std::vector<std::uint8_t>(0x100, 0), "fw.bin");
  const std::vector<std::uint8_t> bytes{1, 2, 3, 4};
  ASSERT_TRUE(image.CopyIntoImage(bytes, 0x10, 4, {"Ton 001"}).ok);
  {
    image::ChangeStep step(image);
    ASSERT_TRUE(image.CopyIntoImage(bytes, 0x40, 2, {"String", true}).ok);
    ASSERT_TRUE(image.CopyIntoImage(bytes, 0x80, 3, {"String", true}).ok);
  }
  ChangeList list;
  EXPECT_EQ(list.RowCount(), 0);
  ASSERT_TRUE(image.Undo());
  list.Reload(image.Journal());
  ASSERT_EQ(list.RowCount(), 3);
  EXPECT_EQ(list.RowTexts(0), (Texts{"001", "Ton 001", "0x00000010", "0x00000013", "4", ""}));
  EXPECT_EQ(list.RowTexts(1), (Texts{"002", "String 0x00000040", "0x00000040", "0x00000041", "2", "✓"}));
  EXPECT_EQ(list.RowTexts(2), (Texts{"003", "String 0x00000080", "0x00000080", "0x00000082", "3", "✓"}));
  EXPECT_EQ(list.RowTexts(3), Texts{});
  EXPECT_EQ(list.RowTexts(-1), Texts{});
  image.Assign(std::vector<std::uint8_t>(0x100, 0), "other.bin");  // a new load forgets every change
  list.Reload(image.Journal());
  EXPECT_EQ(list.RowCount(), 0);
}

}  // namespace
}  // namespace korvana::app
