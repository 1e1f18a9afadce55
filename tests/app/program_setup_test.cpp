// The settings file, the recent files, and what closing the program does to both.

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "app/recent_files.h"
#include "app/remembered_folders.h"
#include "app/settings_file.h"
#include "app/shutdown.h"
#include "support/test_support.h"

namespace korvana::app {
namespace {

using test::ReadText;
using test::TempDir;
using test::WriteBytes;
using test::WriteText;

// An empty value reads as the program folder; saving the same folders again rewrites nothing.
TEST(Settings, TheRememberedFoldersRoundTripAndOnlyAChangeRewritesTheFile) {
  TempDir dir;
  SettingsFile settings(dir.Path("korvana.inf"));
  const RememberedFolders first = LoadRememberedFolders(settings, "/opt/korvana");
  EXPECT_EQ(first.mmfFilePath + first.TableSavePath, "/opt/korvana/opt/korvana");
  EXPECT_EQ(ReadText(dir.Path("korvana.inf")),
            "[File Path]\nmmf File Path=\nMobile File Path=\nRing Save Path=\nPicture Save Path=\n"
            "S3 Save Path=\nTable Save Path=\n");
  std::filesystem::remove(dir.Path("korvana.inf"));
  SaveRememberedFolders(settings, {"/mmf", "/mobile", "/ring", "/pic", "/s3", "/table"});
  EXPECT_EQ(ReadText(dir.Path("korvana.inf")),
            "[File Path]\nmmf File Path=/mmf\nRing Save Path=/ring\nPicture Save Path=/pic\nS3 Save Path=/s3\n"
            "Table Save Path=/table\nMobile File Path=/mobile\n");
  const RememberedFolders b = LoadRememberedFolders(settings, "/prog");
  EXPECT_EQ(b.mmfFilePath + b.MobileFilePath + b.RingSavePath + b.PictureSavePath + b.S3SavePath + b.TableSavePath,
            "/mmf/mobile/ring/pic/s3/table");
  struct stat before {}, after {};  // a rewrite renames a new file over the old one
  ASSERT_EQ(::stat(dir.Path("korvana.inf").c_str(), &before), 0);
  SaveRememberedFolders(settings, b);
  EXPECT_TRUE(::stat(dir.Path("korvana.inf").c_str(), &after) == 0 && after.st_ino == before.st_ino);
}

// Names compare without case, never by length alone; an empty value reads as the default.
TEST(Settings, ReadsIgnoreCaseAndWritesKeepUnknownSectionsKeysAndLongValues) {
  TempDir dir;
  const std::string text =
      "[File Xath]\r\nS3 Save Path=/x\r\n[File Path]\r\nmmf File Path=\r\nS4 Save Path=/4\r\nS3 Save Path=/s3\r\n";
  WriteText(dir.Path("k.inf"), text);
  SettingsFile crlf(dir.Path("k.inf"));
  EXPECT_EQ(crlf.ReadSetting("File Path", "mmf File Path", ""), "");
  EXPECT_EQ(crlf.ReadSetting("file path", "S3 SAVE PATH", ""), "/s3");
  EXPECT_EQ(ReadText(dir.Path("k.inf")), text);
  WriteText(dir.Path("big.inf"), text + std::string(1 << 20, ';'));  // more than a settings file holds: not read
  EXPECT_EQ(SettingsFile(dir.Path("big.inf")).ReadSetting("File Path", "S3 Save Path", "none"), "none");

  WriteText(dir.Path("k.inf"), "; comment\n[Other]\nx=1\n[File Path]\nExtra=keep\nRing Save Path=/old\n\n[Tail]\ny=2\n");
  SettingsFile settings(dir.Path("k.inf"));
  const std::string longPath = "/" + std::string(400, 'p');
  settings.WriteSetting("File Path", "Ring Save Path", longPath);
  settings.WriteSetting("File Path", "S3 Save Path", "/s3");
  settings.WriteSetting("New", "k", "v");
  EXPECT_EQ(ReadText(dir.Path("k.inf")),
            "; comment\n[Other]\nx=1\n[File Path]\nExtra=keep\nRing Save Path=" + longPath +
                "\nS3 Save Path=/s3\n\n[Tail]\ny=2\n[New]\nk=v\n");
  // Not cut at 255 characters: a cut path is a wrong path.
  EXPECT_EQ(settings.ReadSetting("File Path", "Ring Save Path", ""), longPath);
}

// Closing asks only about a modified image; a cancel or a failed save keeps the program running.
TEST(Shutdown, AsksAboutUnsavedChangesAndCleansUpOnlyWhenItCloses) {
  const struct {
    bool modified;
    Answer answer;
    bool folderGone, proceeds;
    std::uint8_t savedByte;
  } cases[] = {{false, Answer::kCancel, false, true, 0}, {true, Answer::kCancel, false, false, 0},
               {true, Answer::kNo, false, true, 0},      {true, Answer::kYes, false, true, 9},
               {true, Answer::kYes, true, false, 0}};
  for (const auto& c : cases) {
    TempDir dir;
    image::HandsetImage image;
    SettingsFile settings{dir.Path("korvana.inf")};
    WriteBytes(dir.Path("fw.bin"), std::vector<std::uint8_t>(8, 0));
    WriteBytes(dir.Path("temp.mmf"), {1});
    ASSERT_TRUE(image.Load(dir.Path("fw.bin")).ok);
    if (c.modified) ASSERT_TRUE(image.CopyIntoImage(std::vector<std::uint8_t>{9}, 3, 1).ok);
    if (c.folderGone) std::filesystem::remove_all(dir.Path());
    int asked = 0;
    const ShutdownResult result = Shutdown(image, settings, {"/a", "/b", "/c", "/d", "/e", "/f"}, dir.Path(),
                                           [&](std::string_view text, std::string_view title) {
                                             ++asked;
                                             EXPECT_EQ(std::string(title) + ": " + std::string(text),
                                                       "注意: 保存修改过的文件吗？");
                                             return c.answer;
                                           });
    EXPECT_EQ(result.proceed, c.proceeds);
    EXPECT_EQ(result.outcome.message, c.folderGone ? msg::kFileError : msg::kNone);
    EXPECT_EQ(asked, c.modified ? 1 : 0);
    EXPECT_EQ(image.Modified(), c.modified && (c.answer != Answer::kYes || c.folderGone));
    if (c.folderGone) continue;
    EXPECT_EQ(std::filesystem::exists(dir.Path("temp.mmf")), !c.proceeds);
    EXPECT_EQ(ReadText(dir.Path("korvana.inf")).find("Mobile File Path=/b") != std::string::npos, c.proceeds);
    EXPECT_EQ(test::ReadBytes(dir.Path("fw.bin"))[3], c.savedByte);
  }
}

// Most recent first, each once, eight at most, in their own section; files gone since are dropped.
TEST(RecentFiles, KeepTheLastEightOpenedInTheirOwnSection) {
  TempDir dir;
  const auto f = [&](int i) { return dir.Path("f" + std::to_string(i) + ".bin"); };
  for (int i = 1; i <= 10; ++i) WriteText(f(i), "x");
  const std::string filePath = "[File Path]\nMobile File Path=/mobile\n";
  WriteText(dir.Path("k.inf"), filePath);
  SettingsFile settings(dir.Path("k.inf"));
  RecentFiles recent = LoadRecentFiles(settings);
  for (int i = 1; i <= 10; ++i) recent.Add(f(i));
  recent.Add(f(5));  // opened again: to the front, not twice
  recent.Add("");
  std::vector<std::string> expected;
  for (int i : {5, 10, 9, 8, 7, 6, 4, 3}) expected.push_back(f(i));
  EXPECT_EQ(recent.Paths(), expected);
  SaveRecentFiles(settings, recent);
  EXPECT_EQ(ReadText(dir.Path("k.inf")).substr(0, filePath.size() + 22 + f(5).size()),
            filePath + "[Recent Files]\nFile1=" + f(5) + "\n");
  std::filesystem::remove(f(10));
  expected.erase(expected.begin() + 1);
  EXPECT_EQ(LoadRecentFiles(settings).Paths(), expected);
  RecentFiles one;
  one.Add(f(1));
  SaveRecentFiles(settings, one);  // a short list empties the rest
  EXPECT_EQ(LoadRecentFiles(settings).Paths(), one.Paths());
  EXPECT_EQ(settings.PeekSetting(kRecentFilesSection, "File8") + settings.PeekSetting(kFilePathSection, kMobileFilePathKey),
            "/mobile");
}

}  // namespace
}  // namespace korvana::app
