#include "fuzz_support.h"

#include <fcntl.h>

#include <cstdlib>

namespace korvana::fuzz {

std::string WriteScratch(std::span<const std::uint8_t> bytes) {
  const std::string& path = ScratchPath();
  static const bool cleanUp = [] { return std::atexit([] { ::unlink(ScratchPath().c_str()); }) == 0; }();
  (void)cleanUp;
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  if (fd < 0) std::abort();
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n <= 0) std::abort();
    done += static_cast<std::size_t>(n);
  }
  ::close(fd);
  return path;
}

}  // namespace korvana::fuzz
