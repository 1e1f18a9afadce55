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
  settings.WriteSettings(kFilePathSection, {{kMmfFilePathKey, f.mmfFilePath},
                                            {kRingSavePathKey, f.RingSavePath},
                                            {kPictureSavePathKey, f.PictureSavePath},
                                            {kS3SavePathKey, f.S3SavePath},
                                            {kTableSavePathKey, f.TableSavePath},
                                            {kMobileFilePathKey, f.MobileFilePath}});
}

}  // namespace korvana::app
