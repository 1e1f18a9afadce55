#include "image/handset_image.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/test_support.h"

namespace korvana::image {
namespace {

using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;
using Bytes = std::vector<std::uint8_t>;

Bytes ImageWith(std::size_t size, std::vector<std::pair<std::size_t, std::string>> texts) {
  Bytes bytes(size, 0xEE);
  for (const auto& [at, text] : texts) std::copy(text.begin(), text.end(), bytes.begin() + static_cast<long>(at));
  return bytes;
}

// Both ways of loading: into memory (the editor) and mapped (the command line).
const std::pair<const char*, Outcome (HandsetImage::*)(std::string_view)> kLoads[] = {
    {"Load", &HandsetImage::Load}, {"LoadMapped", &HandsetImage::LoadMapped}};

TEST(Load, VersionTextIsTheEightBytesAfterVersionStringElseBeforeRevSAndFailuresKeepTheOldImage) {
  const std::pair<Bytes, std::string> cases[] = {
      {ImageWith(200, {{40, "VersionString:\x20\x01\x02V01.2.34tail"}}), "V01.2.34"},
      {ImageWith(100, {{20, "ABCDEFGH1234Rev S"}}), "ABCDEFGH"},
      {ImageWith(200, {{20, "ABCDEFGH1234Rev S"}, {100, "VersionString:...V9.99.99"}}), "V9.99.99"},
      {ImageWith(200, {{40, std::string("VersionString:...V1.0\0\0\0\0tail", 29)}}), "V1.0"},  // ends at NUL
      {ImageWith(100, {{20, std::string("\0BCDEFGH1234Rev S", 17)}}), ""},
      {ImageWith(26, {{1, "VersionString:...V1.2.3.4"}}), "V1.2.3.4"},  // the version ends the file
      {Bytes(64, 1), ""},
  };
  TempDir dir;
  WriteBytes(dir.Path("empty.bin"), {});
  WriteBytes(dir.Path("short.bin"), ImageWith(30, {{10, "VersionString:"}}));  // version bytes past the end
  WriteBytes(dir.Path("early.bin"), ImageWith(30, {{5, "Rev S"}}));             // version bytes before the start
  const std::pair<std::string, int> failures[] = {{"empty.bin", msg::kEmptyFile}, {"short.bin", msg::kFileError},
                                                  {"early.bin", msg::kFileError}, {"missing.bin", msg::kFileError},
                                                  {"", msg::kFileError}};  // a folder
  for (const auto& [name, load] : kLoads) {
    SCOPED_TRACE(name);
    for (const auto& [bytes, version] : cases) {
      WriteBytes(dir.Path("v.bin"), bytes);
      HandsetImage image;
      ASSERT_TRUE((image.*load)(dir.Path("v.bin")).ok);
      EXPECT_EQ(image.VersionText(), version);
      EXPECT_EQ(image.Size(), static_cast<std::int64_t>(bytes.size()));
      EXPECT_EQ(image.SearchStart(), 0);
    }
    HandsetImage image;
    image.Assign({1, 2, 3}, "old.bin");
    image.SetModified(true);
    for (const auto& [file, message] : failures) {
      const Outcome out = (image.*load)(dir.Path(file));
      EXPECT_FALSE(out.ok) << file;
      EXPECT_EQ(out.message, message) << file;
    }
    EXPECT_EQ(image.FileName(), "old.bin");
    EXPECT_EQ(image.Size(), 3);
    EXPECT_TRUE(image.Modified());
  }
}

// A change stays in memory until the save; a second save finds nothing to write.
TEST(SaveOverFile, AMappedImageIsWrittenOnlyBySaveAndOnlyWhenModified) {
  TempDir dir;
  Bytes bytes(8192, 7);
  WriteBytes(dir.Path("fw.bin"), bytes);
  HandsetImage image;
  ASSERT_TRUE(image.LoadMapped(dir.Path("fw.bin")).ok);
  ASSERT_TRUE(image.CopyIntoImage(Bytes{9, 9, 9}, 8189, 3).ok);
  EXPECT_EQ(ReadBytes(dir.Path("fw.bin")), bytes);
  EXPECT_EQ(image.SaveOverFile(true).message, msg::kFileSaved);
  EXPECT_EQ(image.SaveOverFile(false).message, msg::kNone);
  std::fill(bytes.end() - 3, bytes.end(), 9);
  EXPECT_EQ(ReadBytes(dir.Path("fw.bin")), bytes);
  EXPECT_EQ(test::FilesIn(dir.Path()), std::vector<std::string>{"fw.bin"});
}

// Save As moves the image to the new file; a failed save keeps the name and the modified state.
TEST(SaveAs, TheImageContinuesOnTheNewFileAndFailuresKeepNameAndState) {
  TempDir dir;
  std::filesystem::create_directory(dir.Path("sub"));
  HandsetImage image;
  WriteBytes(dir.Path("old.bin"), Bytes(8, 1));
  ASSERT_TRUE(image.Load(dir.Path("old.bin")).ok);
  ASSERT_TRUE(image.CopyIntoImage(Bytes{5}, 0, 1).ok);
  EXPECT_EQ(image.SaveAs(dir.Path("gone/new.bin")).message, msg::kFileError);  // a folder that is gone
  EXPECT_EQ(image.FileName(), dir.Path("old.bin"));
  EXPECT_TRUE(image.Modified());

  const Outcome saved = image.SaveAs(dir.Path("sub/new.bin"));
  EXPECT_EQ(saved.message, msg::kFileSaved);
  EXPECT_EQ(saved.written, std::vector<std::string>{dir.Path("sub/new.bin")});
  EXPECT_EQ(image.FileName(), dir.Path("sub/new.bin"));
  EXPECT_FALSE(image.Modified());
  // "Save" now writes the new file; the old one keeps its bytes.
  ASSERT_TRUE(image.CopyIntoImage(Bytes{6}, 1, 1).ok);
  ASSERT_TRUE(image.SaveOverFile(false).ok);
  EXPECT_EQ(ReadBytes(dir.Path("sub/new.bin")), (Bytes{5, 6, 1, 1, 1, 1, 1, 1}));
  EXPECT_EQ(ReadBytes(dir.Path("old.bin")), Bytes(8, 1));
  // Undo back past the save point marks the image changed against the new file.
  ASSERT_TRUE(image.Undo());
  EXPECT_TRUE(image.Modified());
  // The folder vanishes before the save: that fails for root as well.
  std::filesystem::remove_all(dir.Path());
  EXPECT_EQ(image.SaveOverFile(true).message, msg::kFileError);
  EXPECT_TRUE(image.Modified());
  EXPECT_EQ(HandsetImage().SaveOverFile(true).message, msg::kFileError);  // nothing loaded
}

TEST(CopyIntoImage, IsIndexCheckedAndChangesNothingOnFailure) {
  HandsetImage image;
  image.Assign(Bytes(10, 0), "x.bin");
  const Bytes data{1, 2, 3, 4};
  // Past the image's end, past the data's end, before the start.
  for (const auto& [at, n] : {std::pair<Address, Length>{8, 4}, {0, 5}, {-1, 2}}) EXPECT_FALSE(image.CopyIntoImage(data, at, n).ok);
  EXPECT_TRUE(image.CopyIntoImage(data, 6, 0).ok);
  EXPECT_EQ(Bytes(image.Bytes().begin(), image.Bytes().end()), Bytes(10, 0));
  EXPECT_FALSE(image.Modified());
  EXPECT_TRUE(image.CopyIntoImage(data, 6, 4).ok);
  EXPECT_EQ(image.Bytes()[9], 4);
  EXPECT_TRUE(image.Modified());
}

}  // namespace
}  // namespace korvana::image
