#include "app/settings_file.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "image/atomic_file.h"
#include "image/file_read.h"

namespace korvana::app {

namespace {
// Beyond this a "settings file" is something else; it is not read.
constexpr std::int64_t kMaxSettingsSize = 1 << 20;

std::string_view Trim(std::string_view s) {
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
  return s;
}

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const auto nl = text.find('\n');
    std::string_view line = text.substr(0, nl);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    if (nl == std::string_view::npos) break;
    text.remove_prefix(nl + 1);
  }
  return lines;
}

// "[name]" gives name; anything else gives false.
bool SectionName(std::string_view line, std::string_view& name) {
  line = Trim(line);
  if (line.size() < 2 || line.front() != '[') return false;
  const auto close = line.find(']');
  if (close == std::string_view::npos) return false;
  name = Trim(line.substr(1, close - 1));
  return true;
}

bool KeyAndValue(std::string_view line, std::string_view& key, std::string_view& value) {
  const auto eq = line.find('=');
  if (eq == std::string_view::npos) return false;
  key = Trim(line.substr(0, eq));
  value = Trim(line.substr(eq + 1));
  return !key.empty() && key.front() != ';';
}

std::string ReadText(const std::string& path) {
  auto file = image::ReadWholeFile(path, kMaxSettingsSize);
  if (!file.Ok()) return {};
  return std::string(file.bytes.begin(), file.bytes.end());
}
}  // namespace

bool FindIniValue(std::string_view text, std::string_view section, std::string_view key, std::string& value) {
  bool inSection = false;
  for (std::string_view line : SplitLines(text)) {
    std::string_view name;
    if (SectionName(line, name)) {
      inSection = SameName(name, section);
      continue;
    }
    std::string_view k;
    std::string_view v;
    if (inSection && KeyAndValue(line, k, v) && SameName(k, key)) {
      value.assign(v);
      return true;
    }
  }
  return false;
}

std::string SetIniValue(std::string_view text, std::string_view section, std::string_view key,
                        std::string_view value) {
  const std::string eol = text.find("\r\n") != std::string_view::npos ? "\r\n" : "\n";
  std::vector<std::string> lines;
  for (std::string_view line : SplitLines(text)) lines.emplace_back(line);
  const std::string entry = std::string(key) + "=" + std::string(value);

  bool inSection = false;
  std::ptrdiff_t insertAt = -1;  // after the last non-blank line of the section
  bool done = false;
  for (std::size_t i = 0; i < lines.size() && !done; ++i) {
    std::string_view name;
    if (SectionName(lines[i], name)) {
      if (inSection) break;
      inSection = SameName(name, section);
      if (inSection) insertAt = static_cast<std::ptrdiff_t>(i) + 1;
      continue;
    }
    if (!inSection) continue;
    std::string_view k;
    std::string_view v;
    if (KeyAndValue(lines[i], k, v) && SameName(k, key)) {
      lines[i] = entry;
      done = true;
    } else if (!Trim(lines[i]).empty()) {
      insertAt = static_cast<std::ptrdiff_t>(i) + 1;
    }
  }
  if (!done) {
    if (insertAt >= 0) {
      lines.insert(lines.begin() + insertAt, entry);
    } else {
      lines.push_back("[" + std::string(section) + "]");
      lines.push_back(entry);
    }
  }
  std::string out;
  for (const auto& line : lines) out += line + eol;
  return out;
}

std::string SettingsFile::ReadSetting(std::string_view section, std::string_view key, std::string_view defaultValue) {
  std::string value;
  if (FindIniValue(ReadText(m_path), section, key, value) && !value.empty()) return value;
  WriteSetting(section, key, defaultValue);
  return std::string(defaultValue);
}

std::string SettingsFile::PeekSetting(std::string_view section, std::string_view key) const {
  std::string value;
  if (!FindIniValue(ReadText(m_path), section, key, value)) return {};
  return value;
}

void SettingsFile::WriteSetting(std::string_view section, std::string_view key, std::string_view value) {
  WriteSettings(section, {{key, value}});
}

void SettingsFile::WriteSettings(std::string_view section, std::span<const KeyValue> values) {
  const std::string old = ReadText(m_path);
  std::string text = old;
  for (const auto& [key, value] : values) text = SetIniValue(text, section, key, value);
  if (text == old) return;
  (void)image::WriteFileAtomically(
      m_path, {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
}

}  // namespace korvana::app
