#include "image/file_read.h"

#include <cstdio>
#include <memory>
#include <string>

namespace korvana::image {

namespace {
struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

std::optional<std::int64_t> SizeOfOpenFile(std::FILE* f) {
  if (std::fseek(f, 0, SEEK_END) != 0) return std::nullopt;
  const long size = std::ftell(f);
  if (size < 0 || std::fseek(f, 0, SEEK_SET) != 0) return std::nullopt;
  return std::int64_t{size};
}
}  // namespace

FileBytes ReadWholeFile(std::string_view path, std::int64_t maxSize) {
  FileBytes result;
  FilePtr f(std::fopen(std::string(path).c_str(), "rb"));
  if (!f) {
    result.error = ReadError::kCannotOpen;
    return result;
  }
  const auto size = SizeOfOpenFile(f.get());
  if (!size) {
    result.error = ReadError::kCannotOpen;  // a folder, a pipe
    return result;
  }
  if (*size > maxSize) {
    result.error = ReadError::kTooLarge;
    return result;
  }
  result.bytes.resize(static_cast<std::size_t>(*size));
  if (*size > 0 && std::fread(result.bytes.data(), 1, result.bytes.size(), f.get()) != result.bytes.size()) {
    result.bytes.clear();
    result.error = ReadError::kReadFailed;
  }
  return result;
}

std::optional<std::int64_t> FileSizeOf(std::string_view path) {
  FilePtr f(std::fopen(std::string(path).c_str(), "rb"));
  if (!f) return std::nullopt;
  return SizeOfOpenFile(f.get());
}

}  // namespace korvana::image
