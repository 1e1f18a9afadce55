#include "app/remembered_folders.h"

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
  settings.WriteSetting(kFilePathSection, kMmfFilePathKey, f.mmfFilePath);
  settings.WriteSetting(kFilePathSection, kRingSavePathKey, f.RingSavePath);
  settings.WriteSetting(kFilePathSection, kPictureSavePathKey, f.PictureSavePath);
  settings.WriteSetting(kFilePathSection, kS3SavePathKey, f.S3SavePath);
  settings.WriteSetting(kFilePathSection, kTableSavePathKey, f.TableSavePath);
  settings.WriteSetting(kFilePathSection, kMobileFilePathKey, f.MobileFilePath);
}

}  // namespace korvana::app
