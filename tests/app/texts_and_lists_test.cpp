// The code page of the strings written, and the rows of the list of changes.

#include <gtest/gtest.h>

#include "app/change_list.h"
#include "app/code_page.h"
#include "image/handset_image.h"

namespace korvana::app {
namespace {

using Texts = std::vector<std::string>;

TEST(CodePage, GbkByDefaultBothWaysAndWhatItLacksIsRefusedOrMarked) {
  const auto gbk = Utf8ToAnsiStrict("中文 Menu");
  ASSERT_TRUE(gbk);
  EXPECT_EQ(*gbk, "\xD6\xD0\xCE\xC4 Menu");
  EXPECT_EQ(AnsiToUtf8(*gbk), "中文 Menu");
  EXPECT_FALSE(Utf8ToAnsiStrict("Grüße"));  // ü and ß are not in GBK
  EXPECT_EQ(Utf8ToAnsi("Größe"), "Gr??e");
  EXPECT_FALSE(Utf8ToAnsiStrict("\xFF"));  // not UTF-8 at all
  EXPECT_EQ(AnsiToUtf8("A\xFF" "B"), "A\xEF\xBF\xBD" "B");
}

// Every change of a step is a row; an undone step's rows carry the mark.
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
  ASSERT_TRUE(image.Undo());
  list.Reload(image.Journal());
  ASSERT_EQ(list.RowCount(), 3);
  EXPECT_EQ(list.RowTexts(0), (Texts{"001", "Ton 001", "0x00000010", "0x00000013", "4", ""}));
  EXPECT_EQ(list.RowTexts(1), (Texts{"002", "String 0x00000040", "0x00000040", "0x00000041", "2", "✓"}));
  EXPECT_EQ(list.RowTexts(2), (Texts{"003", "String 0x00000080", "0x00000080", "0x00000082", "3", "✓"}));
  EXPECT_TRUE(list.RowTexts(3).empty() && list.RowTexts(-1).empty());
  image.Assign(std::vector<std::uint8_t>(0x100, 0), "other.bin");  // a new load forgets every change
  list.Reload(image.Journal());
  EXPECT_EQ(list.RowCount(), 0);
}

}  // namespace
}  // namespace korvana::app
