#include <sys/stat.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "app/recent_files.h"
#include "app/remembered_folders.h"
#include "app/settings_file.h"
#include "support/test_support.h"

namespace korvana::app {
namespace {

using test::ReadText;
using test::TempDir;
using test::WriteText;

TEST(Settings, FirstRunCreatesTheSixKeysEmptyAndUsesTheProgramFolder) {
  TempDir dir;
  SettingsFile settings(dir.Path("korvana.inf"));
  const RememberedFolders folders = LoadRememberedFolders(settings, "/opt/korvana");
  EXPECT_EQ(folders.mmfFilePath, "/opt/korvana");
  EXPECT_EQ(folders.TableSavePath, "/opt/korvana");
  EXPECT_EQ(ReadText(dir.Path("korvana.inf")),
            "[File Path]\nmmf File Path=\nMobile File Path=\nRing Save Path=\nPicture Save Path=\n"
            "S3 Save Path=\nTable Save Path=\n");
}

TEST(Settings, AnEmptyValueActsLikeAMissingKeyAndLeavesTheFileAsItWas) {
  TempDir dir;
  const std::string text = "[File Path]\r\nmmf File Path=\r\nS3 Save Path=/s3\r\n";
  WriteText(dir.Path("k.inf"), text);
  SettingsFile settings(dir.Path("k.inf"));
  EXPECT_EQ(settings.ReadSetting("File Path", "mmf File Path", ""), "");
  EXPECT_EQ(settings.ReadSetting("file path", "S3 SAVE PATH", ""), "/s3");
  EXPECT_EQ(ReadText(dir.Path("k.inf")), text);
}

TEST(Settings, WritesKeepUnknownSectionsKeysAndLongValues) {
  TempDir dir;
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

// In the order of the six writes; saving the same folders again rewrites
// nothing (each rewrite waits for the disk).
TEST(Settings, SaveWritesEveryFolderBackAndRewritesOnlyAChange) {
  TempDir dir;
  SettingsFile settings(dir.Path("k.inf"));
  SaveRememberedFolders(settings, {"/mmf", "/mobile", "/ring", "/pic", "/s3", "/table"});
  EXPECT_EQ(ReadText(dir.Path("k.inf")),
            "[File Path]\nmmf File Path=/mmf\nRing Save Path=/ring\nPicture Save Path=/pic\nS3 Save Path=/s3\n"
            "Table Save Path=/table\nMobile File Path=/mobile\n");
  const RememberedFolders b = LoadRememberedFolders(settings, "/prog");
  EXPECT_EQ(b.mmfFilePath + b.MobileFilePath + b.RingSavePath + b.PictureSavePath + b.S3SavePath + b.TableSavePath,
            "/mmf/mobile/ring/pic/s3/table");

  struct stat before {};
  ASSERT_EQ(::stat(dir.Path("k.inf").c_str(), &before), 0);
  SaveRememberedFolders(settings, b);
  struct stat after {};
  ASSERT_EQ(::stat(dir.Path("k.inf").c_str(), &after), 0);
  EXPECT_EQ(after.st_ino, before.st_ino);  // a rewrite renames a new file over it
}

// Most recent first, each file once, eight at most; stored in a section of
// its own, with "File Path" left exactly as it was.
TEST(RecentFiles, KeepsTheLastEightOpenedInTheirOwnSection) {
  TempDir dir;
  for (int i = 1; i <= 10; ++i) WriteText(dir.Path("f" + std::to_string(i) + ".bin"), "x");
  const std::string filePath = "[File Path]\nmmf File Path=/mmf\nMobile File Path=/mobile\n";
  WriteText(dir.Path("k.inf"), filePath);
  SettingsFile settings(dir.Path("k.inf"));
  RecentFiles recent = LoadRecentFiles(settings);
  EXPECT_TRUE(recent.Paths().empty());
  EXPECT_EQ(ReadText(dir.Path("k.inf")), filePath);  // reading writes nothing

  for (int i = 1; i <= 10; ++i) recent.Add(dir.Path("f" + std::to_string(i) + ".bin"));
  recent.Add(dir.Path("f5.bin"));  // opened again: to the front, not twice
  recent.Add("");
  std::vector<std::string> expected;
  for (int i : {5, 10, 9, 8, 7, 6, 4, 3}) expected.push_back(dir.Path("f" + std::to_string(i) + ".bin"));
  EXPECT_EQ(recent.Paths(), expected);

  SaveRecentFiles(settings, recent);
  const std::string text = ReadText(dir.Path("k.inf"));
  EXPECT_EQ(text.substr(0, filePath.size() + 15), filePath + "[Recent Files]\n");
  EXPECT_NE(text.find("File1=" + dir.Path("f5.bin") + "\n"), std::string::npos);
  EXPECT_EQ(LoadRecentFiles(settings).Paths(), expected);

  // A file gone since is dropped on reading; a short list empties the rest.
  std::filesystem::remove(dir.Path("f10.bin"));
  recent = LoadRecentFiles(settings);
  expected.erase(expected.begin() + 1);
  EXPECT_EQ(recent.Paths(), expected);
  RecentFiles one;
  one.Add(dir.Path("f1.bin"));
  SaveRecentFiles(settings, one);
  EXPECT_EQ(LoadRecentFiles(settings).Paths(), one.Paths());
  EXPECT_EQ(settings.PeekSetting(kRecentFilesSection, "File8"), "");
  EXPECT_EQ(settings.PeekSetting(kFilePathSection, kMobileFilePathKey), "/mobile");
}

TEST(DialogStartFolder, TheRememberedFolderElseTheFirmwaresNeverTheProgramFolder) {
  TempDir dir;
  for (const char* folder : {"prog", "fw", "tables"}) std::filesystem::create_directory(dir.Path(folder));
  const std::string prog = dir.Path("prog");
  const std::string firmware = dir.Path("fw/phone.bin");
  struct Case {
    std::string remembered;
    std::string firmware;
    std::string expected;
  };
  const Case cases[] = {
      {dir.Path("tables"), firmware, dir.Path("tables")},     // chosen by the user
      {prog, firmware, dir.Path("fw")},                       // nothing remembered yet
      {prog + "/", firmware, dir.Path("fw")},                 // with a trailing separator
      {dir.Path("gone"), firmware, dir.Path("fw")},           // removed since
      {prog, "", "/home/u"},                                  // no firmware either
      {prog, dir.Path("prog/phone.bin"), "/home/u"},          // the firmware lies in the program folder
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DialogStartFolder(c.remembered, prog, c.firmware, "/home/u"), c.expected) << c.remembered;
  }
}

}  // namespace
}  // namespace korvana::app
