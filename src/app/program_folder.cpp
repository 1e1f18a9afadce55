#include "app/program_folder.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string_view>

#include "image/path.h"

namespace korvana::app {

namespace fs = std::filesystem;

std::string ExecutableFolder() {
  std::error_code ec;
  const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  if (ec) return {};
  return image::FolderOf(exe.string());
}

std::string ProgramFolder(const std::string& executableFolder) {
  if (const char* over = std::getenv("KORVANA_PROGRAM_FOLDER"); over != nullptr && *over != '\0') {
    std::error_code ec;
    fs::create_directories(over, ec);
    return over;
  }
  if (!executableFolder.empty() && ::access(executableFolder.c_str(), W_OK) == 0) return executableFolder;
  std::string base;
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg != nullptr && *xdg != '\0') {
    base = xdg;
  } else if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
    base = image::JoinPath(home, ".config");
  } else {
    return executableFolder;
  }
  std::string folder = image::JoinPath(base, "korvana");
  std::error_code ec;
  fs::create_directories(folder, ec);
  return ec ? executableFolder : folder;
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
