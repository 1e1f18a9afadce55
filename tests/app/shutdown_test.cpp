#include "app/shutdown.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/test_support.h"

namespace korvana::app {
namespace {

using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

class ShutdownTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteBytes(dir.Path("fw.bin"), std::vector<std::uint8_t>(8, 0));
    WriteBytes(dir.Path("temp.mmf"), {1});
    ASSERT_TRUE(image.Load(dir.Path("fw.bin")).ok);
  }
  ShutdownResult Close(Answer answer) {
    asked = 0;
    return Shutdown(image, settings, folders, dir.Path(), [&](std::string_view text, std::string_view title) {
      ++asked;
      EXPECT_EQ(text, "保存修改过的文件吗？");
      EXPECT_EQ(title, "注意");
      return answer;
    });
  }
  void Modify() { ASSERT_TRUE(image.CopyIntoImage(std::vector<std::uint8_t>{9}, 3, 1).ok); }
  bool Exists(const std::string& name) const { return std::filesystem::exists(dir.Path(name)); }

  TempDir dir;
  image::HandsetImage image;
  SettingsFile settings{dir.Path("korvana.inf")};
  RememberedFolders folders{"/a", "/b", "/c", "/d", "/e", "/f"};
  int asked = 0;
};

TEST_F(ShutdownTest, AnUnchangedImageAsksNothing) {
  EXPECT_TRUE(Close(Answer::kCancel).proceed);
  EXPECT_EQ(asked, 0);
  EXPECT_FALSE(Exists("temp.mmf"));
  EXPECT_TRUE(Exists("korvana.inf"));
}

TEST_F(ShutdownTest, CancelKeepsRunningAndNoClosesWithoutSaving) {
  Modify();
  EXPECT_FALSE(Close(Answer::kCancel).proceed);
  EXPECT_EQ(asked, 1);
  EXPECT_TRUE(image.Modified());
  EXPECT_TRUE(Exists("temp.mmf"));
  EXPECT_FALSE(Exists("korvana.inf"));

  EXPECT_TRUE(Close(Answer::kNo).proceed);
  EXPECT_EQ(ReadBytes(dir.Path("fw.bin")), std::vector<std::uint8_t>(8, 0));
  EXPECT_NE(test::ReadText(dir.Path("korvana.inf")).find("Mobile File Path=/b"), std::string::npos);
  EXPECT_FALSE(Exists("temp.mmf"));
}

TEST_F(ShutdownTest, YesSavesSilentlyAndAFailedSaveKeepsTheProgramRunning) {
  Modify();
  const ShutdownResult yes = Close(Answer::kYes);
  EXPECT_TRUE(yes.proceed);
  EXPECT_EQ(yes.outcome.message, 0);
  EXPECT_EQ(ReadBytes(dir.Path("fw.bin"))[3], 9);

  Modify();
  std::filesystem::remove_all(dir.Path());  // the firmware's folder is gone
  const ShutdownResult failed = Close(Answer::kYes);
  EXPECT_FALSE(failed.proceed);
  EXPECT_EQ(failed.outcome.message, msg::kFileError);
  EXPECT_TRUE(image.Modified());
}

TEST(HelpFile, PrefersTheChmThenTheShippedPage) {
  TempDir dir;
  EXPECT_EQ(HelpFilePath(dir.Path()), "");
  WriteBytes(dir.Path("KORVANA Help.html"), {1});
  EXPECT_EQ(HelpFilePath(dir.Path()), dir.Path("KORVANA Help.html"));
  WriteBytes(dir.Path("KORVANA Help.chm"), {1});
  EXPECT_EQ(HelpFilePath(dir.Path()), dir.Path("KORVANA Help.chm"));
}

}  // namespace
}  // namespace korvana::app
