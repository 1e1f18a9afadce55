#include "app/change_list.h"

#include <gtest/gtest.h>

#include "image/handset_image.h"

namespace korvana::app {
namespace {

using Texts = std::vector<std::string>;

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
  EXPECT_EQ(list.RowTexts(2), (Texts{"003", "String 0x00000080", "0x00000080", "0x00000082", "3", "✓"}));
  EXPECT_EQ(list.RowTexts(1).back(), "✓");
  EXPECT_EQ(list.RowTexts(3), Texts{});

  image.Assign(std::vector<std::uint8_t>(0x100, 0), "other.bin");  // a new load forgets every change
  list.Reload(image.Journal());
  EXPECT_EQ(list.RowCount(), 0);
}

}  // namespace
}  // namespace korvana::app
