#include "tones/tone_table.h"

#include <vector>

#include "app/code_page.h"
#include "app/table_field.h"
#include "image/atomic_file.h"
#include "image/file_read.h"

namespace korvana::tones {

namespace {
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kLineEnd = "\r\n";
// A table of a few thousand tones is some hundred KiB; anything this large
// is not a tone table and is refused rather than read.
constexpr std::int64_t kMaxTableFileSize = std::int64_t{64} << 20;

// Word positions of a line split at single blanks (word 0 is the empty
// text before the leading blank).
constexpr std::size_t kNumberWord = 1;
constexpr std::size_t kStartWord = 3;
constexpr std::size_t kStopWord = 5;
constexpr std::size_t kSizeWord = 8;
constexpr std::size_t kFirstNoteWord = 9;

std::vector<std::string_view> SplitAtBlanks(std::string_view line) {
  std::vector<std::string_view> words;
  std::size_t from = 0;
  for (;;) {
    const auto blank = line.find(' ', from);
    words.push_back(line.substr(from, blank == std::string_view::npos ? std::string_view::npos : blank - from));
    if (blank == std::string_view::npos) return words;
    from = blank + 1;
  }
}
}  // namespace

std::string ToneTableLine(const ToneEntry& entry, std::string_view sizeCaption) {
  std::string line;
  line.reserve(48 + entry.note.size());
  line.append(" ").append(entry.number).append(" : ").append(entry.start).append(" - ").append(entry.stop);
  line.append("  ").append(sizeCaption).append(": ").append(entry.size).append(" \t").append(entry.note);
  return line;
}

std::optional<ToneEntry> ParseToneTableLine(std::string_view line) {
  const auto words = SplitAtBlanks(line);
  if (words.size() <= kFirstNoteWord) return std::nullopt;
  // The note is everything after the blank behind the size, blanks and all.
  const auto noteStart = static_cast<std::size_t>(words[kFirstNoteWord].data() - line.data());
  return ToneEntry{std::string(words[kNumberWord]), app::CleanTableField(words[kStartWord]),
                   app::CleanTableField(words[kStopWord]), app::CleanTableField(words[kSizeWord]),
                   app::CleanTableField(line.substr(noteStart))};
}

Outcome SaveToneTable(const ToneList& list, std::string_view path, std::string_view sizeCaption) {
  if (list.Empty()) return Outcome::Failure(msg::kToneTableEmpty);
  std::string text;
  for (const ToneEntry& entry : list.Rows()) text.append(ToneTableLine(entry, sizeCaption)).append(kLineEnd);
  std::string bytes;
  if (auto ansi = app::Utf8ToAnsiStrict(text)) {
    bytes = std::move(*ansi);
  } else {
    bytes.assign(kUtf8Bom).append(text);
  }
  image::AtomicFile file;
  if (!file.Open(path) || !file.Write(bytes) || !file.Commit()) {
    return Outcome::Failure(msg::kFileError, "cannot write " + std::string(path));
  }
  Outcome out = Outcome::Success(msg::kToneTableWritten);
  out.written.emplace_back(path);
  return out;
}

Outcome OpenToneTable(std::string_view path, ToneList& list) {
  const image::FileBytes file = image::ReadWholeFile(path, kMaxTableFileSize);
  if (!file.Ok()) return Outcome::Failure(msg::kFileError, "cannot read " + std::string(path));
  std::string_view content(reinterpret_cast<const char*>(file.bytes.data()), file.bytes.size());
  const bool utf8 = content.starts_with(kUtf8Bom);
  if (utf8) content.remove_prefix(kUtf8Bom.size());

  list.Clear();
  int lineNumber = 0;
  while (!content.empty()) {
    const auto end = content.find('\n');
    std::string_view raw = content.substr(0, end);
    content.remove_prefix(end == std::string_view::npos ? content.size() : end + 1);
    ++lineNumber;
    if (raw.ends_with('\r')) raw.remove_suffix(1);
    if (raw.empty()) continue;
    const std::string line = utf8 ? std::string(raw) : app::AnsiToUtf8(raw);
    auto entry = ParseToneTableLine(line);
    if (!entry) return Outcome::Failure(msg::kToneTableBad, "line " + std::to_string(lineNumber));
    list.Add(std::move(*entry));
  }
  return Outcome::Success();
}

}  // namespace korvana::tones
