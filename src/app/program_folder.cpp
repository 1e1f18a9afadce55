#include "app/program_folder.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string_view>

#include "app/shared_texts.h"
#include "image/path.h"

namespace korvana::app {

namespace fs = std::filesystem;

namespace {
// KORVANA_DATA_FROM_BIN is the way from the installed bin/ to share/korvana,
// given by the build from its install folders ("../share/korvana").
constexpr std::string_view kDataFromBin = KORVANA_DATA_FROM_BIN;

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? std::string(value) : std::string();
}

bool HoldsShippedFiles(const std::string& folder) {
  if (folder.empty()) return false;
  std::error_code ec;
  for (std::string_view name : {kShippedHelpFileName, kPaletteFileName}) {
    if (fs::is_regular_file(image::JoinPath(folder, name), ec)) return true;
  }
  return false;
}
}  // namespace

std::string ExecutableFolder() {
  std::error_code ec;
  const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  if (ec) return {};
  return image::FolderOf(exe.string());
}

std::string InstalledDataFolder(const std::string& executableFolder) {
  if (executableFolder.empty()) return {};
  return (fs::path(executableFolder) / kDataFromBin).lexically_normal().string();
}

ProgramFolders ChooseProgramFolders(const ProgramSurroundings& s) {
  ProgramFolders folders;
  const bool installed = !s.shippedFilesBesideExecutable && s.shippedFilesInDataFolder;
  folders.data = installed ? InstalledDataFolder(s.executableFolder) : s.executableFolder;
  if (!s.overrideFolder.empty()) {
    folders.settings = folders.temporary = s.overrideFolder;
  } else if (!installed && s.executableFolderWritable) {
    folders.settings = folders.temporary = s.executableFolder;
  } else {
    folders.settings = s.userConfigFolder.empty() ? s.executableFolder : s.userConfigFolder;
  }
  return folders;
}

ProgramSurroundings ProbeProgramSurroundings(const std::string& executableFolder) {
  ProgramSurroundings s;
  s.executableFolder = executableFolder;
  s.executableFolderWritable = !executableFolder.empty() && ::access(executableFolder.c_str(), W_OK) == 0;
  s.shippedFilesBesideExecutable = HoldsShippedFiles(executableFolder);
  s.shippedFilesInDataFolder = HoldsShippedFiles(InstalledDataFolder(executableFolder));
  s.overrideFolder = Environment("KORVANA_PROGRAM_FOLDER");
  std::string base = Environment("XDG_CONFIG_HOME");
  if (base.empty()) {
    const std::string home = Environment("HOME");
    if (!home.empty()) base = image::JoinPath(home, ".config");
  }
  if (!base.empty()) s.userConfigFolder = image::JoinPath(base, "korvana");
  return s;
}

ProgramFolders LocateProgramFolders(const std::string& executableFolder) {
  const ProgramSurroundings surroundings = ProbeProgramSurroundings(executableFolder);
  ProgramFolders folders = ChooseProgramFolders(surroundings);
  if (folders.settings != executableFolder) {
    std::error_code ec;
    fs::create_directories(folders.settings, ec);
    if (ec) {
      folders.settings = executableFolder;
      if (!folders.temporary.empty()) folders.temporary = executableFolder;
    }
  }
  return folders;
}

std::string ProgramFolder(const std::string& executableFolder) {
  return LocateProgramFolders(executableFolder).settings;
}

bool TracerAttached() {
  std::ifstream status("/proc/self/status");
  std::string line;
  constexpr std::string_view kKey = "TracerPid:";
  while (std::getline(status, line)) {
    if (line.rfind(kKey, 0) == 0) {
      return std::atoi(line.c_str() + kKey.size()) != 0;
    }
  }
  return false;
}

}  // namespace korvana::app
