#include "image/path.h"

namespace korvana::image {

bool IsPathSeparator(char c) {
#ifdef _WIN32
  return c == '\\' || c == '/';
#else
  return c == '/';
#endif
}

namespace {
constexpr char kSeparator =
#ifdef _WIN32
    '\\';
#else
    '/';
#endif

std::size_t LastSeparator(std::string_view path) {
  for (std::size_t i = path.size(); i-- > 0;) {
    if (IsPathSeparator(path[i])) return i;
  }
  return std::string_view::npos;
}
}  // namespace

std::string FileNameOf(std::string_view path) {
  const auto pos = LastSeparator(path);
  if (pos == std::string_view::npos) return {};
  return std::string(path.substr(pos + 1));
}

std::string FolderOf(std::string_view path) {
  const auto pos = LastSeparator(path);
  if (pos == std::string_view::npos) return {};
  if (pos == 0) return std::string(1, path[0]);  // the root stays a folder
  return std::string(path.substr(0, pos));
}

std::string JoinPath(std::string_view folder, std::string_view name) {
  std::string out(folder);
  if (!out.empty() && !IsPathSeparator(out.back())) out.push_back(kSeparator);
  out.append(name);
  return out;
}

std::string WithTrailingSeparator(std::string_view folder) {
  if (folder.empty()) return {};
  std::size_t end = folder.size();
  while (end > 1 && IsPathSeparator(folder[end - 1])) --end;
  std::string out(folder.substr(0, end));
  if (!IsPathSeparator(out.back())) out.push_back(kSeparator);
  return out;
}

}  // namespace korvana::image
