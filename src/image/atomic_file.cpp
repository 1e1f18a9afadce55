#include "image/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace korvana::image {

namespace {
// Writes are gathered up to this size so that per-line writers (S-records,
// tables) cost one system call per block, not per line.
constexpr std::size_t kBufferBytes = std::size_t{1} << 20;
// The buffer lies on a multiple of this size in memory, and every write but
// the last starts at such a multiple in the file and is a whole number of
// them long, so the kernel copies whole pages from whole pages. A write that
// begins inside a page, or from memory that lies otherwise than the page it
// fills, cost the kernel two to three times as much: 40 ms instead of 14 for
// the 96 MiB of S-records of a 32 MiB bin. 64 KiB is a whole number of pages
// wherever pages are 4, 16 or 64 KiB.
constexpr std::size_t kAlignBytes = std::size_t{64} << 10;
static_assert(kBufferBytes % kAlignBytes == 0 && kWritebackPieceBytes % kAlignBytes == 0);
// After the aligned part is written, less than kAlignBytes stays behind.
static_assert(kMaxAppendBytes <= kBufferBytes - kAlignBytes);

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

void AtomicFile::FreeBuffer::operator()(char* buffer) const { std::free(buffer); }

AtomicFile::AtomicFile(AtomicFile&& other) noexcept
    : m_fd(std::exchange(other.m_fd, -1)),
      m_failed(other.m_failed),
      m_written(other.m_written),
      m_target(std::move(other.m_target)),
      m_temp(std::move(other.m_temp)),
      m_buffer(std::move(other.m_buffer)),
      m_buffered(std::exchange(other.m_buffered, 0)) {}

AtomicFile& AtomicFile::operator=(AtomicFile&& other) noexcept {
  if (this != &other) {
    Abandon();
    m_fd = std::exchange(other.m_fd, -1);
    m_failed = other.m_failed;
    m_written = other.m_written;
    m_target = std::move(other.m_target);
    m_temp = std::move(other.m_temp);
    m_buffer = std::move(other.m_buffer);
    m_buffered = std::exchange(other.m_buffered, 0);
  }
  return *this;
}

AtomicFile::~AtomicFile() { Abandon(); }

bool AtomicFile::Open(std::string_view targetPath) {
  Abandon();
  m_target.assign(targetPath);
  m_failed = false;
  m_written = 0;
  m_buffered = 0;
  if (m_target.empty()) {
    m_failed = true;
    return false;
  }
  if (!m_buffer) {
    m_buffer.reset(static_cast<char*>(std::aligned_alloc(kAlignBytes, kBufferBytes)));
    if (!m_buffer) {
      m_failed = true;
      return false;
    }
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

void AtomicFile::ExpectSize(std::uint64_t size) {
#if defined(__linux__)
  // KEEP_SIZE: the file grows only by what is written, so a conversion that
  // stops early holds no tail of zeros.
  if (m_fd >= 0 && size > 0) (void)::fallocate(m_fd, FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(size));
#else
  (void)size;
#endif
}

bool AtomicFile::WriteAlignedPart() {
  const std::size_t aligned = m_buffered / kAlignBytes * kAlignBytes;
  if (!WriteOut(m_buffer.get(), aligned)) return false;
  std::memmove(m_buffer.get(), m_buffer.get() + aligned, m_buffered - aligned);
  m_buffered -= aligned;
  return true;
}

bool AtomicFile::Flush() {
  if (m_failed || m_fd < 0) return false;
  WriteOut(m_buffer.get(), m_buffered);
  m_buffered = 0;
  return !m_failed;
}

bool AtomicFile::Write(std::span<const std::uint8_t> bytes) {
  return Write(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

bool AtomicFile::Write(std::string_view text) {
  if (m_failed || m_fd < 0) return false;
  while (!text.empty()) {
    if (m_buffered == kBufferBytes && !WriteAlignedPart()) return false;
    const std::size_t n = std::min(text.size(), kBufferBytes - m_buffered);
    std::memcpy(m_buffer.get() + m_buffered, text.data(), n);
    m_buffered += n;
    text.remove_prefix(n);
  }
  return true;
}

std::span<char> AtomicFile::BeginAppend(std::size_t size) {
  if (m_failed || m_fd < 0 || size > kMaxAppendBytes) return {};
  if (kBufferBytes - m_buffered < size && !WriteAlignedPart()) return {};
  return {m_buffer.get() + m_buffered, size};
}

void AtomicFile::EndAppend(std::size_t used) { m_buffered = std::min(kBufferBytes, m_buffered + used); }

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
  m_buffered = 0;
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
  m_buffered = 0;
}

bool WriteFileAtomically(std::string_view path, std::span<const std::uint8_t> bytes) {
  AtomicFile file;
  if (!file.Open(path)) return false;
  file.ExpectSize(bytes.size());
  file.Write(bytes);
  return file.Commit();
}

}  // namespace korvana::image
