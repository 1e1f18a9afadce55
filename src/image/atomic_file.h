#pragma once
// The one way the core writes a file: into a temporary file beside the
// target, renamed over the target only when every byte is written. A failure
// at any step leaves the previous file as it was and no partial file behind,
// so a firmware image or a patch is either complete or absent. Each few MiB
// written are handed to the disk at once, so that committing a large file
// waits for its last piece only.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace korvana::image {

// The disk is started on each piece of this size as soon as it is written,
// while the rest is still being produced, so that the fsync before the
// rename waits only for the last piece instead of the whole file. Smaller
// pieces add system calls and small requests; larger ones leave more for the
// fsync. Pieces end on multiples of this size in the file.
inline constexpr std::size_t kWritebackPieceBytes = std::size_t{4} << 20;
// The most that one BeginAppend can ask for.
inline constexpr std::size_t kMaxAppendBytes = std::size_t{256} << 10;

class AtomicFile {
 public:
  AtomicFile() = default;
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;
  AtomicFile(AtomicFile&& other) noexcept;
  AtomicFile& operator=(AtomicFile&& other) noexcept;
  ~AtomicFile();  // an uncommitted file is removed

  // Creates the temporary file; false when the folder is missing or not
  // writable.
  [[nodiscard]] bool Open(std::string_view targetPath);
  // Takes the disk space for a file of size bytes at once, so that the
  // writes need not reserve it block by block (a tenth of the time of a
  // large conversion here). A hint: where the system cannot, nothing
  // changes. Call it before writing, with the exact size: space asked for
  // past the end stays taken until the file is removed.
  void ExpectSize(std::uint64_t size);
  // Buffers and writes; false once any write has failed (and stays false).
  bool Write(std::span<const std::uint8_t> bytes);
  bool Write(std::string_view text);
  // Room for size (at most kMaxAppendBytes) more bytes at the end of the
  // buffered output, for a writer that formats in place instead of into a
  // buffer of its own that is then copied. EndAppend keeps the first used
  // bytes of it. An empty span when the file is not open, a write has failed
  // or size is too large.
  [[nodiscard]] std::span<char> BeginAppend(std::size_t size);
  void EndAppend(std::size_t used);
  // Flushes, syncs and renames over the target. False leaves the target as
  // it was and removes the temporary file.
  [[nodiscard]] bool Commit();
  // Throws the written bytes away.
  void Abandon();

  [[nodiscard]] bool IsOpen() const { return m_fd >= 0; }
  [[nodiscard]] bool Failed() const { return m_failed; }
  [[nodiscard]] const std::string& TargetPath() const { return m_target; }

 private:
  struct FreeBuffer {
    void operator()(char* buffer) const;
  };

  // Writes the whole buffer; only Commit does, as the last write.
  bool Flush();
  // Writes the whole aligned blocks of the buffer and moves what is left to
  // its front, so that the file stays aligned to the buffer.
  bool WriteAlignedPart();
  // Writes to the file and starts the disk on every full piece; false (and
  // Failed()) when a write fails.
  bool WriteOut(const char* data, std::size_t size);

  int m_fd = -1;
  bool m_failed = false;
  std::uint64_t m_written = 0;  // bytes in the file
  std::string m_target;
  std::string m_temp;
  // Its start is at offset m_written of the file; allocated at the first
  // Open and kept for the next.
  std::unique_ptr<char, FreeBuffer> m_buffer;
  std::size_t m_buffered = 0;
};

// Writes bytes to path through an AtomicFile; false on any failure.
[[nodiscard]] bool WriteFileAtomically(std::string_view path, std::span<const std::uint8_t> bytes);

}  // namespace korvana::image
