#include "image/mapped_file.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

namespace korvana::image {

std::shared_ptr<const MappedFile> MappedFile::Open(std::string_view path, std::int64_t maxSize) {
  const int fd = ::open(std::string(path).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return nullptr;
  struct stat st {};
  void* data = MAP_FAILED;
  if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0 && st.st_size <= maxSize) {
    data = ::mmap(nullptr, static_cast<std::size_t>(st.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
  }
  ::close(fd);  // the mapping keeps the file's pages
  if (data == MAP_FAILED) return nullptr;
  return std::shared_ptr<const MappedFile>(
      new MappedFile(static_cast<const std::uint8_t*>(data), static_cast<std::size_t>(st.st_size)));
}

MappedFile::~MappedFile() { ::munmap(const_cast<std::uint8_t*>(m_data), m_size); }

}  // namespace korvana::image
