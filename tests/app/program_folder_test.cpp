#include "app/program_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "support/test_support.h"

namespace korvana::app {
namespace {

using test::TempDir;
using test::WriteBytes;

struct LayoutCase {
  const char* name;
  bool writable;
  bool besideExecutable;
  bool inDataFolder;
  const char* overrideFolder;
  const char* userConfig;
  ProgramFolders expected;
};

// exe /opt/k/bin, its data folder /opt/k/share/korvana, the user's /home/u/.config/korvana.
TEST(ProgramFolders, ChoiceForEachLayout) {
  const std::string exe = "/opt/k/bin", share = "/opt/k/share/korvana", user = "/home/u/.config/korvana";
  const LayoutCase cases[] = {
      {"build folder", true, true, false, "", user.c_str(), {exe, exe, exe}},
      {"build folder with a share beside", true, true, true, "", user.c_str(), {exe, exe, exe}},
      {"read-only unpacked copy", false, true, false, "", user.c_str(), {exe, user, ""}},
      {"installed", false, false, true, "", user.c_str(), {share, user, ""}},
      {"installed, run by root", true, false, true, "", user.c_str(), {share, user, ""}},
      {"lone writable executable", true, false, false, "", user.c_str(), {exe, exe, exe}},
      {"lone read-only executable", false, false, false, "", user.c_str(), {exe, user, ""}},
      {"installed, no home", false, false, true, "", "", {share, exe, ""}},
      {"override, installed", false, false, true, "/p", user.c_str(), {share, "/p", "/p"}},
      {"override, build folder", true, true, false, "/p", user.c_str(), {exe, "/p", "/p"}},
  };
  for (const LayoutCase& c : cases) {
    SCOPED_TRACE(c.name);
    const ProgramFolders chosen =
        ChooseProgramFolders({exe, c.writable, c.besideExecutable, c.inDataFolder, c.overrideFolder, c.userConfig});
    EXPECT_EQ(chosen.data, c.expected.data);
    EXPECT_EQ(chosen.settings, c.expected.settings);
    EXPECT_EQ(chosen.temporary, c.expected.temporary);
  }
}

// An installed tree on disk: the shipped files are found in ../share/korvana,
// and the user's configuration folder is made for the settings.
TEST(ProgramFolders, LocatesAnInstalledTreeAndMakesTheUsersFolder) {
  TempDir dir;
  std::filesystem::create_directories(dir.Path("usr/bin"));
  std::filesystem::create_directories(dir.Path("usr/share/korvana"));
  WriteBytes(dir.Path("usr/share/korvana/16.dat"), std::vector<std::uint8_t>(64, 1));
  const char* kept = std::getenv("XDG_CONFIG_HOME");
  const std::string keptValue = kept != nullptr ? kept : "";
  ::setenv("XDG_CONFIG_HOME", dir.Path("config").c_str(), 1);
  ::unsetenv("KORVANA_PROGRAM_FOLDER");

  const ProgramFolders installed = LocateProgramFolders(dir.Path("usr/bin"));
  EXPECT_EQ(installed.data, dir.Path("usr/share/korvana"));
  EXPECT_EQ(installed.settings, dir.Path("config/korvana"));
  EXPECT_TRUE(std::filesystem::is_directory(installed.settings));
  EXPECT_EQ(installed.temporary, "");

  // The same files beside the executable make its folder the program's own.
  WriteBytes(dir.Path("usr/bin/KORVANA Help.html"), {1});
  const ProgramFolders own = LocateProgramFolders(dir.Path("usr/bin"));
  EXPECT_EQ(own.data, dir.Path("usr/bin"));
  EXPECT_EQ(own.settings, dir.Path("usr/bin"));
  EXPECT_EQ(own.temporary, dir.Path("usr/bin"));

  if (kept != nullptr) {
    ::setenv("XDG_CONFIG_HOME", keptValue.c_str(), 1);
  } else {
    ::unsetenv("XDG_CONFIG_HOME");
  }
}

}  // namespace
}  // namespace korvana::app
