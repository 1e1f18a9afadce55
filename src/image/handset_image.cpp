#include "image/handset_image.h"

#include <algorithm>
#include <cstring>

#include "image/atomic_file.h"
#include "image/file_read.h"
#include "image/hex.h"
#include "image/mapped_file.h"

namespace korvana::image {

namespace {
constexpr std::string_view kVersionMarker = "VersionString:";
constexpr std::string_view kRevisionMarker = "Rev S";
constexpr Length kVersionLength = 8;
// The version follows its marker after three more bytes (a blank and two
// bytes of build data), and stands twelve bytes before the revision marker.
constexpr Length kVersionAfterMarker = 17;
constexpr Length kVersionBeforeRevision = 12;

std::span<const std::uint8_t> AsBytes(std::string_view s) {
  return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}
}  // namespace

std::vector<std::uint8_t> PatternBytesOf(std::string_view patternHex) {
  const std::vector<std::string_view> chars = CharactersOf(patternHex);
  std::vector<std::uint8_t> pattern;
  pattern.reserve(chars.size() / 2);
  for (std::size_t i = 0; i + 1 < chars.size(); i += 2) {
    pattern.push_back(static_cast<std::uint8_t>(HexDigitValue(chars[i]) * 16 + HexDigitValue(chars[i + 1])));
  }
  return pattern;
}

bool HandsetImage::FindHexPattern(std::string_view patternHex) {
  return FindBytes(PatternBytesOf(patternHex));
}

bool HandsetImage::FindBytes(std::span<const std::uint8_t> pattern) {
  const std::int64_t n = static_cast<std::int64_t>(pattern.size());
  const std::int64_t from = std::int64_t{m_searchStart} + 1;
  m_foundPos = static_cast<Address>(from);
  const auto bytes = Bytes();
  const std::int64_t lastStart = static_cast<std::int64_t>(bytes.size()) - n;
  if (n == 0 || from < 1 || from > lastStart) {
    m_searchStart = 0;
    return false;
  }
  // memchr finds candidates for the first byte at memory speed; only those
  // are compared in full.
  const std::uint8_t* const base = bytes.data();
  const std::uint8_t* p = base + from;
  const std::uint8_t* const end = base + lastStart + 1;  // one past the last start
  const std::uint8_t first = pattern[0];
  while (p < end) {
    const auto* hit = static_cast<const std::uint8_t*>(std::memchr(p, first, static_cast<std::size_t>(end - p)));
    if (hit == nullptr) break;
    if (std::memcmp(hit + 1, pattern.data() + 1, pattern.size() - 1) == 0) {
      m_foundPos = static_cast<Address>(hit - base);
      m_searchStart = m_foundPos;
      return true;
    }
    p = hit + 1;
  }
  m_searchStart = 0;
  return false;
}

bool FindVersionText(HandsetImage& image, std::string& version) {
  version.clear();
  const auto bytes = image.Bytes();
  auto take = [&](std::int64_t from) {
    if (from < 0 || from + kVersionLength > static_cast<std::int64_t>(bytes.size())) return false;
    version.assign(reinterpret_cast<const char*>(bytes.data() + from), kVersionLength);
    // A shorter version is padded with NUL bytes, which belong to no text.
    version.resize(std::min(version.size(), version.find('\0')));
    return true;
  };
  bool ok = true;
  image.SetSearchStart(0);
  if (image.FindBytes(AsBytes(kVersionMarker))) {
    ok = take(std::int64_t{image.FoundPos()} + kVersionAfterMarker);
  } else {
    image.SetSearchStart(0);
    if (image.FindBytes(AsBytes(kRevisionMarker))) {
      ok = take(std::int64_t{image.FoundPos()} - kVersionBeforeRevision);
    }
  }
  image.SetSearchStart(0);
  return ok;
}

Outcome HandsetImage::Load(std::string_view path) {
  FileBytes file = ReadWholeFile(path);
  if (!file.Ok()) {
    return Outcome::Failure(msg::kFileError, file.error == ReadError::kTooLarge
                                                 ? "file is 2 GiB or larger"
                                                 : "cannot read " + std::string(path));
  }
  if (file.bytes.empty()) return Outcome::Failure(msg::kEmptyFile, std::string(path));

  // The version is looked for in the new bytes before anything of the old
  // image is given up.
  HandsetImage candidate;
  candidate.m_bytes = std::move(file.bytes);
  std::string version;
  if (!FindVersionText(candidate, version)) {
    return Outcome::Failure(msg::kFileError, "version text lies outside the file");
  }
  TakeLoaded(candidate, path, std::move(version));
  return Outcome::Success();
}

Outcome HandsetImage::LoadMapped(std::string_view path) {
  // Whatever cannot be mapped (an empty file, a pipe, a missing file) is
  // left to Load, which reports it.
  auto mapped = MappedFile::Open(path, kMaxFileSize);
  if (!mapped) return Load(path);
  HandsetImage candidate;
  candidate.m_mapped = std::move(mapped);
  std::string version;
  if (!FindVersionText(candidate, version)) {
    return Outcome::Failure(msg::kFileError, "version text lies outside the file");
  }
  TakeLoaded(candidate, path, std::move(version));
  return Outcome::Success();
}

void HandsetImage::TakeLoaded(HandsetImage& candidate, std::string_view path, std::string version) {
  m_bytes = std::move(candidate.m_bytes);
  m_mapped = std::move(candidate.m_mapped);
  m_fileName.assign(path);
  m_version = std::move(version);
  m_loaded = true;
  m_journal.Clear();
  SetModified(false);
  m_searchStart = 0;
  JournalChanged();
}

void HandsetImage::SetModified(bool modified) {
  if (modified == m_modified) return;
  m_modified = modified;
  if (m_modifiedListener) m_modifiedListener(modified);
}

std::span<const std::uint8_t> HandsetImage::Bytes() const {
  if (m_mapped) return m_mapped->Bytes();
  return m_bytes;
}

void HandsetImage::Assign(std::vector<std::uint8_t> bytes, std::string fileName) {
  m_bytes = std::move(bytes);
  m_mapped.reset();
  m_fileName = std::move(fileName);
  if (!FindVersionText(*this, m_version)) m_version.clear();
  m_loaded = true;
  m_journal.Clear();
  SetModified(false);
  m_searchStart = 0;
  JournalChanged();
}

Outcome HandsetImage::SaveOverFile(bool confirm) {
  if (!m_loaded || !WriteFileAtomically(m_fileName, Bytes())) {
    return Outcome::Failure(msg::kFileError, "cannot write " + m_fileName);
  }
  m_journal.MarkSavePoint();
  SetModified(false);
  JournalChanged();
  Outcome out = Outcome::Success(confirm ? msg::kFileSaved : msg::kNone);
  out.written.push_back(m_fileName);
  return out;
}

Outcome HandsetImage::SaveAs(std::string_view path) {
  if (!m_loaded || path.empty() || !WriteFileAtomically(path, Bytes())) {
    return Outcome::Failure(msg::kFileError, "cannot write " + std::string(path));
  }
  m_fileName = std::string(path);
  m_journal.MarkSavePoint();
  SetModified(false);
  JournalChanged();
  Outcome out = Outcome::Success(msg::kFileSaved);
  out.written.push_back(m_fileName);
  return out;
}

Outcome HandsetImage::CopyIntoImage(std::span<const std::uint8_t> bytes, Address position, Length count,
                                    const ChangeLabel& label) {
  if (count < 1) return Outcome::Success();
  const std::int64_t end = std::int64_t{position} + count;
  if (position < 0 || end > static_cast<std::int64_t>(Bytes().size()) ||
      static_cast<std::size_t>(count) > bytes.size()) {
    return Outcome::Failure(msg::kFileError, "copy of " + std::to_string(count) + " bytes at " +
                                                 std::to_string(position) + " leaves the image");
  }
  if (m_mapped) {
    // The first change of a mapped image makes it an image of its own.
    const auto mapped = m_mapped->Bytes();
    m_bytes.assign(mapped.begin(), mapped.end());
    m_mapped.reset();
  }
  m_journal.Record(std::span<const std::uint8_t>(m_bytes).subspan(static_cast<std::size_t>(position),
                                                                   static_cast<std::size_t>(count)),
                   position, label);
  std::copy_n(bytes.begin(), count, m_bytes.begin() + position);
  SetModified(true);
  if (m_journal.Recording()) {
    m_stepWritten = true;
  } else {
    JournalChanged();
  }
  return Outcome::Success();
}

void HandsetImage::EndStep() {
  m_journal.EndStep();
  if (m_journal.Recording() || !m_stepWritten) return;
  m_stepWritten = false;
  JournalChanged();
}

bool HandsetImage::Undo() {
  if (!m_journal.Undo(m_bytes)) return false;
  SetModified(!m_journal.AtSavePoint());
  JournalChanged();
  return true;
}

bool HandsetImage::Redo() {
  if (!m_journal.Redo(m_bytes)) return false;
  SetModified(!m_journal.AtSavePoint());
  JournalChanged();
  return true;
}

void HandsetImage::JournalChanged() {
  if (m_journalListener) m_journalListener();
}

}  // namespace korvana::image
