#pragma once
// A file mapped read-only into memory. Reading a large image into a buffer
// costs a copy of every byte into fresh memory; a mapping lets a command that
// only looks at the image (a scan, an export) read the file's pages where
// they already are.

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

namespace korvana::image {

class MappedFile {
 public:
  // The mapping of the regular file at path, or nullptr when it cannot be
  // mapped: missing, unreadable, empty, not a regular file, or larger than
  // maxSize. Callers fall back to reading the file, which reports why.
  [[nodiscard]] static std::shared_ptr<const MappedFile> Open(std::string_view path, std::int64_t maxSize);

  ~MappedFile();
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;

  [[nodiscard]] std::span<const std::uint8_t> Bytes() const { return {m_data, m_size}; }

 private:
  MappedFile(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}

  const std::uint8_t* m_data;
  std::size_t m_size;
};

}  // namespace korvana::image
