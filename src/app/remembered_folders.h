#pragma once
// The folders the program remembers between runs (section "File Path" of
// the settings file). An empty value stands for the program folder; the
// substitution happens in memory only, so a first run writes the six keys
// with empty values.

#include <string>

#include "app/settings_file.h"

namespace korvana::app {

inline constexpr std::string_view kFilePathSection = "File Path";
inline constexpr std::string_view kMmfFilePathKey = "mmf File Path";
inline constexpr std::string_view kMobileFilePathKey = "Mobile File Path";
inline constexpr std::string_view kRingSavePathKey = "Ring Save Path";
inline constexpr std::string_view kPictureSavePathKey = "Picture Save Path";
inline constexpr std::string_view kS3SavePathKey = "S3 Save Path";
inline constexpr std::string_view kTableSavePathKey = "Table Save Path";

struct RememberedFolders {
  std::string mmfFilePath;  // where the tone file browser opens
  std::string MobileFilePath;
  std::string RingSavePath;
  std::string PictureSavePath;
  std::string S3SavePath;
  std::string TableSavePath;
};

// Reads the six keys in the start-up order, each empty value replaced by
// programFolder.
[[nodiscard]] RememberedFolders LoadRememberedFolders(SettingsFile& settings, const std::string& programFolder);

// Writes the six keys in the shutdown order.
void SaveRememberedFolders(SettingsFile& settings, const RememberedFolders& folders);

// Where a file dialog starts: the remembered folder when the user chose one
// that still exists; else the folder of the loaded firmware (firmwareFile,
// empty when none is loaded); else fallback (the user's home). The program
// folder stands for "nothing remembered" (see LoadRememberedFolders) and is
// never the answer: an installed program's folder holds nothing of the
// user's.
[[nodiscard]] std::string DialogStartFolder(const std::string& remembered, const std::string& programFolder,
                                            const std::string& firmwareFile, const std::string& fallback);

}  // namespace korvana::app
