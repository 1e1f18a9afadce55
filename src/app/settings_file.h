#pragma once
// The INI settings file. Each call reads or writes the file, as the
// platform's profile functions do: a key missing or empty on reading is
// created with its default, and a write keeps every other section, key and
// line of the file as it was. Section and key names compare without case.

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <utility>

namespace korvana::app {

class SettingsFile {
 public:
  explicit SettingsFile(std::string path) : m_path(std::move(path)) {}

  [[nodiscard]] const std::string& Path() const { return m_path; }

  // The value, whole (no length limit). A missing key or an empty value
  // writes defaultValue under the key and returns it.
  std::string ReadSetting(std::string_view section, std::string_view key, std::string_view defaultValue);

  // The value as it stands, empty when the key is missing; unlike
  // ReadSetting it never writes, so optional keys (the recent files, the
  // window's layout) are not created empty at every start.
  [[nodiscard]] std::string PeekSetting(std::string_view section, std::string_view key) const;

  // Writes value under key, creating the section or key as needed. Failures
  // are not reported: settings are a convenience, never worth a message.
  void WriteSetting(std::string_view section, std::string_view key, std::string_view value);

  // Each key = value in turn, as that many WriteSetting calls leave the
  // file, but with one rewrite of it, and none when nothing changes: every
  // rewrite is synced to the disk, and six of them made closing the
  // program wait on the disk six times.
  using KeyValue = std::pair<std::string_view, std::string_view>;
  void WriteSettings(std::string_view section, std::initializer_list<KeyValue> values) {
    WriteSettings(section, std::span<const KeyValue>(values.begin(), values.size()));
  }
  void WriteSettings(std::string_view section, std::span<const KeyValue> values);

 private:
  std::string m_path;
};

// The value of key in section within INI text, or nullopt-like false.
bool FindIniValue(std::string_view text, std::string_view section, std::string_view key, std::string& value);

// The INI text with key in section set to value; everything else unchanged.
[[nodiscard]] std::string SetIniValue(std::string_view text, std::string_view section, std::string_view key,
                                      std::string_view value);

}  // namespace korvana::app
