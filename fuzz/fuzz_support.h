#pragma once
// What the fuzz targets share: the input as a file for the readers that
// take a path, and a cursor that takes numbers off the front of the input.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <string_view>

namespace korvana::fuzz {

// One scratch file per process, rewritten for every input; libFuzzer runs
// one input at a time, and parallel jobs are separate processes. It lives in
// memory (/dev/shm) where there is one: on disk it halves the speed of the
// targets that read files.
inline const std::string& ScratchPath() {
  static const std::string path = [] {
    const char* dir = std::getenv("TMPDIR");
    std::string folder = dir != nullptr && *dir != '\0' ? dir : (::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp");
    return folder + "/korvana-fuzz-" + std::to_string(::getpid());
  }();
  return path;
}

// Writes the bytes to the scratch file and returns its path.
std::string WriteScratch(std::span<const std::uint8_t> bytes);

// Takes fixed-size numbers off the front; once the input is used up every
// number is 0.
class Cursor {
 public:
  Cursor(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
  std::uint8_t Byte() {
    if (m_size == 0) return 0;
    --m_size;
    return *m_data++;
  }
  std::uint16_t Word() { return static_cast<std::uint16_t>(Byte() | (Byte() << 8)); }
  std::uint32_t Long() { return static_cast<std::uint32_t>(Word() | (static_cast<std::uint32_t>(Word()) << 16)); }
  // Up to the next 0 byte (or the end), which is consumed.
  std::string_view Word0() {
    std::size_t n = 0;
    while (n < m_size && m_data[n] != 0) ++n;
    std::string_view word(reinterpret_cast<const char*>(m_data), n);
    const std::size_t used = n < m_size ? n + 1 : n;
    m_data += used;
    m_size -= used;
    return word;
  }
  [[nodiscard]] std::span<const std::uint8_t> Rest() const { return {m_data, m_size}; }

 private:
  const std::uint8_t* m_data;
  std::size_t m_size;
};

}  // namespace korvana::fuzz
