#include "app/recent_files.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <system_error>

namespace korvana::app {

namespace {
std::string KeyOf(int n) { return "File" + std::to_string(n); }
}  // namespace

void RecentFiles::Add(const std::string& path) {
  if (path.empty()) return;
  std::erase(m_paths, path);
  m_paths.insert(m_paths.begin(), path);
  if (m_paths.size() > static_cast<std::size_t>(kRecentFileCount)) m_paths.resize(kRecentFileCount);
}

bool RecentFiles::DropMissing() {
  const std::size_t before = m_paths.size();
  std::erase_if(m_paths, [](const std::string& path) {
    std::error_code ec;
    return !std::filesystem::is_regular_file(path, ec);
  });
  return m_paths.size() != before;
}

RecentFiles LoadRecentFiles(const SettingsFile& settings) {
  std::vector<std::string> stored;
  for (int n = 1; n <= kRecentFileCount; ++n) {
    std::string path = settings.PeekSetting(kRecentFilesSection, KeyOf(n));
    if (!path.empty() && std::find(stored.begin(), stored.end(), path) == stored.end()) {
      stored.push_back(std::move(path));
    }
  }
  RecentFiles recent;
  // Added oldest first, so the first key ends up in front.
  for (auto it = stored.rbegin(); it != stored.rend(); ++it) recent.Add(*it);
  recent.DropMissing();
  return recent;
}

void SaveRecentFiles(SettingsFile& settings, const RecentFiles& recent) {
  std::array<std::string, kRecentFileCount> keys;
  std::array<SettingsFile::KeyValue, kRecentFileCount> values;
  for (std::size_t i = 0; i < keys.size(); ++i) {
    keys[i] = KeyOf(static_cast<int>(i) + 1);
    values[i] = {keys[i], i < recent.Paths().size() ? std::string_view(recent.Paths()[i]) : std::string_view()};
  }
  settings.WriteSettings(kRecentFilesSection, values);
}

}  // namespace korvana::app
