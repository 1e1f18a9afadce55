#include "image/handset_image.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstring>

#include "support/test_support.h"

namespace korvana::image {
namespace {

using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

std::vector<std::uint8_t> ImageWith(std::size_t size, std::size_t at, const std::string& text) {
  std::vector<std::uint8_t> bytes(size, 0xEE);
  std::memcpy(bytes.data() + at, text.data(), text.size());
  return bytes;
}

Outcome LoadBytes(HandsetImage& image, const TempDir& dir, const std::string& name,
                  const std::vector<std::uint8_t>& bytes) {
  WriteBytes(dir.Path(name), bytes);
  return image.Load(dir.Path(name));
}

TEST(VersionText, TakesTheEightBytesAfterVersionString) {
  TempDir dir;
  HandsetImage image;
  ASSERT_TRUE(LoadBytes(image, dir, "v.bin", ImageWith(200, 40, "VersionString:\x20\x01\x02V01.2.34tail")).ok);
  EXPECT_EQ(image.VersionText(), "V01.2.34");
  EXPECT_EQ(image.SearchStart(), 0);
}

TEST(VersionText, FallsBackToRevSAndPrefersVersionString) {
  TempDir dir;
  HandsetImage image;
  ASSERT_TRUE(LoadBytes(image, dir, "r.bin", ImageWith(100, 20, "ABCDEFGH1234Rev S")).ok);
  EXPECT_EQ(image.VersionText(), "ABCDEFGH");

  auto both = ImageWith(200, 20, "ABCDEFGH1234Rev S");
  std::memcpy(both.data() + 100, "VersionString:...V9.99.99", 25);
  ASSERT_TRUE(LoadBytes(image, dir, "b.bin", both).ok);
  EXPECT_EQ(image.VersionText(), "V9.99.99");

  ASSERT_TRUE(LoadBytes(image, dir, "n.bin", std::vector<std::uint8_t>(64, 1)).ok);
  EXPECT_EQ(image.VersionText(), "");
}

TEST(Load, VersionBytesOutsideTheImageFailTheLoad) {
  TempDir dir;
  HandsetImage image;
  EXPECT_EQ(LoadBytes(image, dir, "short.bin", ImageWith(30, 10, "VersionString:")).message, msg::kFileError);
  EXPECT_EQ(LoadBytes(image, dir, "early.bin", ImageWith(30, 5, "Rev S")).message, msg::kFileError);
  EXPECT_FALSE(image.FileLoaded());
}

TEST(Load, EmptyAndMissingFilesLeaveTheImageAsItWas) {
  TempDir dir;
  HandsetImage image;
  ASSERT_TRUE(LoadBytes(image, dir, "good.bin", std::vector<std::uint8_t>(16, 7)).ok);
  image.SetModified(true);

  const Outcome empty = LoadBytes(image, dir, "empty.bin", {});
  EXPECT_FALSE(empty.ok);
  EXPECT_EQ(empty.message, msg::kEmptyFile);
  EXPECT_EQ(image.Load(dir.Path("missing.bin")).message, msg::kFileError);
  EXPECT_EQ(image.Load(dir.Path()).message, msg::kFileError);  // a folder

  EXPECT_TRUE(image.FileLoaded());
  EXPECT_EQ(image.FileName(), dir.Path("good.bin"));
  EXPECT_EQ(image.Size(), 16);
  EXPECT_TRUE(image.Modified());
}

TEST(Saveaxf, AFailedLoadFollowedByASaveNeverWritesTheOldImageIntoTheNewFile) {
  TempDir dir;
  HandsetImage image;
  ASSERT_TRUE(LoadBytes(image, dir, "a.bin", std::vector<std::uint8_t>(32, 0xAA)).ok);
  ASSERT_TRUE(image.CopyIntoImage(std::vector<std::uint8_t>{1, 2}, 4, 2).ok);

  WriteBytes(dir.Path("b.bin"), {});
  EXPECT_FALSE(image.Load(dir.Path("b.bin")).ok);
  ASSERT_TRUE(image.Saveaxf(true).ok);

  EXPECT_TRUE(ReadBytes(dir.Path("b.bin")).empty());
  const auto saved = ReadBytes(dir.Path("a.bin"));
  ASSERT_EQ(saved.size(), 32u);
  EXPECT_EQ(saved[4], 1);
  EXPECT_EQ(saved[5], 2);
}

TEST(Saveaxf, WritesTheWholeImageAndClearsTheModifiedState) {
  TempDir dir;
  HandsetImage image;
  std::vector<std::uint8_t> bytes(1000);
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 7);
  ASSERT_TRUE(LoadBytes(image, dir, "fw.bin", bytes).ok);
  EXPECT_FALSE(image.Modified());
  ASSERT_TRUE(image.CopyIntoImage(std::vector<std::uint8_t>{9, 9, 9}, 997, 3).ok);
  EXPECT_TRUE(image.Modified());

  const Outcome saved = image.Saveaxf(true);
  EXPECT_TRUE(saved.ok);
  EXPECT_EQ(saved.message, msg::kFileSaved);
  EXPECT_FALSE(image.Modified());
  EXPECT_EQ(image.Saveaxf(false).message, msg::kNone);
  bytes[997] = bytes[998] = bytes[999] = 9;
  EXPECT_EQ(ReadBytes(dir.Path("fw.bin")), bytes);
  EXPECT_EQ(test::FilesIn(dir.Path()), std::vector<std::string>{"fw.bin"});
}

TEST(Saveaxf, AFailedSaveKeepsTheFileAndTheModifiedState) {
  // The folder vanishes before the save: that fails for root as well.
  TempDir dir;
  const std::string sub = dir.Path("sub");
  ::mkdir(sub.c_str(), 0755);
  HandsetImage image;
  WriteBytes(sub + "/fw.bin", std::vector<std::uint8_t>(8, 1));
  ASSERT_TRUE(image.Load(sub + "/fw.bin").ok);
  ASSERT_TRUE(image.CopyIntoImage(std::vector<std::uint8_t>{5}, 0, 1).ok);
  std::remove((sub + "/fw.bin").c_str());
  ::rmdir(sub.c_str());

  const Outcome saved = image.Saveaxf(true);
  EXPECT_FALSE(saved.ok);
  EXPECT_EQ(saved.message, msg::kFileError);
  EXPECT_TRUE(image.Modified());
}

TEST(CopyIntoImage, IsIndexCheckedAndChangesNothingOnFailure) {
  HandsetImage image;
  image.Assign(std::vector<std::uint8_t>(10, 0), "x.bin");
  const std::vector<std::uint8_t> data{1, 2, 3, 4};

  EXPECT_FALSE(image.CopyIntoImage(data, 8, 4).ok);   // past the image's end
  EXPECT_FALSE(image.CopyIntoImage(data, 0, 5).ok);   // past the data's end
  EXPECT_FALSE(image.CopyIntoImage(data, -1, 2).ok);
  EXPECT_EQ(std::vector<std::uint8_t>(image.Bytes().begin(), image.Bytes().end()), std::vector<std::uint8_t>(10, 0));
  EXPECT_FALSE(image.Modified());

  EXPECT_TRUE(image.CopyIntoImage(data, 6, 0).ok);
  EXPECT_FALSE(image.Modified());
  EXPECT_TRUE(image.CopyIntoImage(data, 6, 4).ok);
  EXPECT_EQ(image.Bytes()[9], 4);
  EXPECT_TRUE(image.Modified());
}

class FindHexPatternTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::vector<std::uint8_t> bytes(300, 0);
    for (std::size_t at : {100u, 200u}) std::memcpy(bytes.data() + at, "\x4D\x4D\x4D\x44", 4);
    bytes[0] = 0xAB;
    image.Assign(std::move(bytes), "t.bin");
  }
  HandsetImage image;
};

TEST_F(FindHexPatternTest, SuccessiveCallsWalkTheHitsAndAMissResetsTheCursor) {
  EXPECT_TRUE(image.FindHexPattern("4D4D4D44"));
  EXPECT_EQ(image.FoundPos(), 100);
  EXPECT_TRUE(image.FindHexPattern("4d4d4d44"));
  EXPECT_EQ(image.FoundPos(), 200);
  EXPECT_FALSE(image.FindHexPattern("4D4D4D44"));
  EXPECT_EQ(image.SearchStart(), 0);
  EXPECT_EQ(image.FoundPos(), 201);  // the miss leaves FoundPos one past the cursor
  EXPECT_TRUE(image.FindHexPattern("4D4D4D44"));
  EXPECT_EQ(image.FoundPos(), 100);
}

TEST_F(FindHexPatternTest, IndexZeroIsNeverExamined) {
  EXPECT_FALSE(image.FindHexPattern("AB"));
  EXPECT_EQ(image.FoundPos(), 1);
}

TEST_F(FindHexPatternTest, FindsOverlappingHitsAndPatternsAtTheVeryEnd) {
  HandsetImage runs;
  runs.Assign({0, 7, 7, 7, 7}, "r.bin");
  std::vector<Address> hits;
  while (runs.FindHexPattern("0707")) hits.push_back(runs.FoundPos());
  EXPECT_EQ(hits, (std::vector<Address>{1, 2, 3}));
  EXPECT_FALSE(runs.FindHexPattern("07070707070707"));  // longer than what is left
  EXPECT_FALSE(runs.FindHexPattern(""));
}

}  // namespace
}  // namespace korvana::image
