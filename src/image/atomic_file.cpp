#include "image/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <utility>

namespace korvana::image {

namespace {
// Writes are gathered up to this size so that per-line writers (S-records,
// tables) cost one system call per block, not per line.
constexpr std::size_t kBufferLimit = 1 << 20;

bool WriteAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (n == 0) return false;
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

// Starts writing length bytes at offset to the disk and returns at once. It
// is a hint: a failure changes nothing, because the fsync in Commit writes
// whatever is left and reports any write error the disk had meanwhile.
void StartWriteback(int fd, std::uint64_t offset, std::uint64_t length) {
#if defined(__linux__)
  (void)::sync_file_range(fd, static_cast<off_t>(offset), static_cast<off_t>(length), SYNC_FILE_RANGE_WRITE);
#else
  (void)fd;
  (void)offset;
  (void)length;
#endif
}
}  // namespace

AtomicFile::AtomicFile(AtomicFile&& other) noexcept
    : m_fd(std::exchange(other.m_fd, -1)),
      m_failed(other.m_failed),
      m_written(other.m_written),
      m_target(std::move(other.m_target)),
      m_temp(std::move(other.m_temp)),
      m_buffer(std::move(other.m_buffer)) {}

AtomicFile& AtomicFile::operator=(AtomicFile&& other) noexcept {
  if (this != &other) {
    Abandon();
    m_fd = std::exchange(other.m_fd, -1);
    m_failed = other.m_failed;
    m_written = other.m_written;
    m_target = std::move(other.m_target);
    m_temp = std::move(other.m_temp);
    m_buffer = std::move(other.m_buffer);
  }
  return *this;
}

AtomicFile::~AtomicFile() { Abandon(); }

bool AtomicFile::Open(std::string_view targetPath) {
  Abandon();
  m_target.assign(targetPath);
  m_failed = false;
  m_written = 0;
  m_buffer.clear();
  if (m_target.empty()) {
    m_failed = true;
    return false;
  }
  m_temp = m_target + ".korvana-XXXXXX";
  m_fd = ::mkstemp(m_temp.data());
  if (m_fd < 0) {
    m_failed = true;
    m_temp.clear();
    return false;
  }
  return true;
}

bool AtomicFile::WriteOut(const char* data, std::size_t size) {
  // A large block goes out piece by piece, so that the disk starts on the
  // first piece while the later ones are still being copied. Pieces end on
  // multiples of their size: a page is never handed to the disk half-filled
  // and then written again.
  while (size > 0) {
    const std::uint64_t pieceEnd = (m_written / kWritebackPieceBytes + 1) * kWritebackPieceBytes;
    const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(size, pieceEnd - m_written));
    if (!WriteAll(m_fd, data, n)) {
      m_failed = true;
      return false;
    }
    data += n;
    size -= n;
    m_written += n;
    if (m_written == pieceEnd) StartWriteback(m_fd, pieceEnd - kWritebackPieceBytes, kWritebackPieceBytes);
  }
  return true;
}

bool AtomicFile::Flush() {
  if (m_failed || m_fd < 0) return false;
  if (!m_buffer.empty()) {
    WriteOut(m_buffer.data(), m_buffer.size());
    m_buffer.clear();
  }
  return !m_failed;
}

bool AtomicFile::Write(std::span<const std::uint8_t> bytes) {
  return Write(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

bool AtomicFile::Write(std::string_view text) {
  if (m_failed || m_fd < 0) return false;
  if (m_buffer.size() + text.size() > kBufferLimit) {
    if (!Flush()) return false;
    if (text.size() > kBufferLimit) return WriteOut(text.data(), text.size());
  }
  m_buffer.append(text);
  return true;
}

bool AtomicFile::Commit() {
  if (m_fd < 0) return false;
  bool ok = Flush();
  // A new file gets the permissions a plain create would give it; a file
  // that is replaced keeps its own.
  struct stat st {};
  mode_t mode = 0;
  if (::stat(m_target.c_str(), &st) == 0) {
    mode = st.st_mode & 07777;
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode = 0666 & ~mask;
  }
  ok = ok && ::fchmod(m_fd, mode) == 0;
  ok = ok && ::fsync(m_fd) == 0;
  ok = (::close(m_fd) == 0) && ok;
  m_fd = -1;
  ok = ok && ::rename(m_temp.c_str(), m_target.c_str()) == 0;
  if (!ok) {
    ::unlink(m_temp.c_str());
    m_failed = true;
  }
  m_temp.clear();
  m_buffer.clear();
  return ok;
}

void AtomicFile::Abandon() {
  if (m_fd >= 0) {
    ::close(m_fd);
    m_fd = -1;
  }
  if (!m_temp.empty()) {
    ::unlink(m_temp.c_str());
    m_temp.clear();
  }
  m_buffer.clear();
}

bool WriteFileAtomically(std::string_view path, std::span<const std::uint8_t> bytes) {
  AtomicFile file;
  if (!file.Open(path)) return false;
  file.Write(bytes);
  return file.Commit();
}

}  // namespace korvana::image
