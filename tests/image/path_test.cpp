#include "image/path.h"

#include <gtest/gtest.h>

namespace korvana::image {
namespace {

TEST(Paths, SplitAtTheLastSeparator) {
  EXPECT_EQ(FileNameOf("/fw/a.bin"), "a.bin");
  EXPECT_EQ(FolderOf("/fw/a.bin"), "/fw");
  EXPECT_EQ(FileNameOf("a.bin"), "");
  EXPECT_EQ(FolderOf("a.bin"), "");
  EXPECT_EQ(FileNameOf("/fw/"), "");
}

TEST(Paths, TheRootFolderStaysAFolder) {
  // An empty folder would mean the program folder to every caller.
  EXPECT_EQ(FolderOf("/a.bin"), "/");
  EXPECT_EQ(JoinPath(FolderOf("/a.bin"), "b.bin"), "/b.bin");
}

TEST(Paths, JoinAndTrailingSeparatorNeverDoubleIt) {
  EXPECT_EQ(JoinPath("/fw", "a.bin"), "/fw/a.bin");
  EXPECT_EQ(JoinPath("/fw/", "a.bin"), "/fw/a.bin");
  EXPECT_EQ(JoinPath("", "a.bin"), "a.bin");
  EXPECT_EQ(WithTrailingSeparator("/fw"), "/fw/");
  EXPECT_EQ(WithTrailingSeparator("/fw/"), "/fw/");
  EXPECT_EQ(WithTrailingSeparator("/fw//"), "/fw/");
  EXPECT_EQ(WithTrailingSeparator("/"), "/");
  EXPECT_EQ(WithTrailingSeparator(""), "");
}

}  // namespace
}  // namespace korvana::image
