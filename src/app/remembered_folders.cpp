#include "app/remembered_folders.h"

#include <filesystem>
#include <system_error>

#include "image/path.h"

namespace korvana::app {

RememberedFolders LoadRememberedFolders(SettingsFile& settings, const std::string& programFolder) {
  auto read = [&](std::string_view key) {
    std::string value = settings.ReadSetting(kFilePathSection, key, "");
    return value.empty() ? programFolder : value;
  };
  RememberedFolders f;
  f.mmfFilePath = read(kMmfFilePathKey);
  f.MobileFilePath = read(kMobileFilePathKey);
  f.RingSavePath = read(kRingSavePathKey);
  f.PictureSavePath = read(kPictureSavePathKey);
  f.S3SavePath = read(kS3SavePathKey);
  f.TableSavePath = read(kTableSavePathKey);
  return f;
}

void SaveRememberedFolders(SettingsFile& settings, const RememberedFolders& f) {
  settings.WriteSettings(kFilePathSection, {{kMmfFilePathKey, f.mmfFilePath},
                                            {kRingSavePathKey, f.RingSavePath},
                                            {kPictureSavePathKey, f.PictureSavePath},
                                            {kS3SavePathKey, f.S3SavePath},
                                            {kTableSavePathKey, f.TableSavePath},
                                            {kMobileFilePathKey, f.MobileFilePath}});
}

namespace {
// The same folder, whether or not either text ends in a separator.
bool SameFolder(const std::string& a, const std::string& b) {
  if (a.empty() || b.empty()) return a == b;
  return image::WithTrailingSeparator(a) == image::WithTrailingSeparator(b);
}

bool IsFolder(const std::string& path) {
  std::error_code ec;
  return !path.empty() && std::filesystem::is_directory(path, ec);
}
}  // namespace

std::string DialogStartFolder(const std::string& remembered, const std::string& programFolder,
                              const std::string& firmwareFile, const std::string& fallback) {
  if (!SameFolder(remembered, programFolder) && IsFolder(remembered)) return remembered;
  if (!firmwareFile.empty()) {
    const std::string folder = image::FolderOf(firmwareFile);
    if (!SameFolder(folder, programFolder) && IsFolder(folder)) return folder;
  }
  return fallback;
}

}  // namespace korvana::app
