#pragma once
// Reading a whole file into memory in one read, as every reader of the
// system does.

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace korvana::image {

// The largest file the system handles: sizes and addresses are 32-bit signed.
inline constexpr std::int64_t kMaxFileSize = 0x7FFFFFFF;

enum class ReadError { kNone, kCannotOpen, kTooLarge, kReadFailed };

struct FileBytes {
  std::vector<std::uint8_t> bytes;
  ReadError error = ReadError::kNone;
  [[nodiscard]] bool Ok() const { return error == ReadError::kNone; }
};

// The whole file, or the reason it could not be had. Files of 2 GiB and more
// are refused rather than read with a size that overflows.
[[nodiscard]] FileBytes ReadWholeFile(std::string_view path, std::int64_t maxSize = kMaxFileSize);

// The size of a file, or nothing when it cannot be opened.
[[nodiscard]] std::optional<std::int64_t> FileSizeOf(std::string_view path);

}  // namespace korvana::image
