#include <sys/stat.h>

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace korvana::app
