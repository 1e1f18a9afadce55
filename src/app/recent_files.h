#pragma once
// The last firmware files the user opened, for the menu "Lade": most recent
// first, each file once, at most eight. They live in a section of their own
// in the settings file ("Recent Files", keys "File1" .. "File8"), so the
// section "File Path" keeps exactly the keys it always had.

#include <string>
#include <string_view>
#include <vector>

#include "app/settings_file.h"

namespace korvana::app {

inline constexpr std::string_view kRecentFilesSection = "Recent Files";
inline constexpr int kRecentFileCount = 8;

class RecentFiles {
 public:
  [[nodiscard]] const std::vector<std::string>& Paths() const { return m_paths; }

  // path to the front; an older entry of the same path goes, and so does
  // the ninth. An empty path changes nothing.
  void Add(const std::string& path);
  // Drops the entries whose file no longer exists (moved, deleted, a
  // removed stick): the menu offers only what it can open. True when one
  // was dropped.
  bool DropMissing();

 private:
  std::vector<std::string> m_paths;
};

// The list as stored: "File1" first, empty keys and repeated paths skipped,
// files that no longer exist dropped. Writes nothing.
[[nodiscard]] RecentFiles LoadRecentFiles(const SettingsFile& settings);
// Writes "File1" .. "File8" in one rewrite, the unused keys empty.
void SaveRecentFiles(SettingsFile& settings, const RecentFiles& recent);

}  // namespace korvana::app
