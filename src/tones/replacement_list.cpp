#include "tones/replacement_list.h"

#include <algorithm>

#include "tones/text_order.h"

namespace korvana::tones {

namespace {
constexpr std::string_view kBytesSuffix = " 字节";
// The file part ends in a blank and the two characters of "字节"; the
// search for the blank before the size starts in front of those three.
constexpr int kSuffixCharacters = 3;
// Word positions of a tone part split at single blanks.
constexpr std::size_t kStartWord = 1;
constexpr std::size_t kStopWord = 3;
constexpr std::size_t kSizeWord = 4;

bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Byte offset of the start of the k-th character from the end (k = 1 is the
// last character); npos when the text has fewer than k characters.
std::size_t StartOfCharacterFromEnd(std::string_view text, int k) {
  std::size_t i = text.size();
  while (k > 0) {
    if (i == 0) return std::string_view::npos;
    --i;
    while (i > 0 && IsContinuation(text[i])) --i;
    --k;
  }
  return i;
}

// Offset of the blank that ends the file name, looked for in front of the
// last three characters; npos when there is none.
std::size_t NameEnd(std::string_view filePart) {
  const auto suffixStart = StartOfCharacterFromEnd(filePart, kSuffixCharacters);
  if (suffixStart == std::string_view::npos || suffixStart == 0) return std::string_view::npos;
  return filePart.substr(0, suffixStart).rfind(' ');
}

}  // namespace

std::string FilePartOf(std::string_view name, std::string_view sizeText) {
  std::string part(name);
  part.append(" ").append(sizeText).append(kBytesSuffix);
  return part;
}

std::string TonePartOf(const ToneEntry& tone) {
  return tone.number + " " + tone.start + " - " + tone.stop + " " + tone.size + " " + tone.note;
}

std::string SizeTextOf(std::string_view filePart) {
  const auto blank = NameEnd(filePart);
  if (blank == std::string_view::npos) return "0";
  // Up to and with the blank of " 字节", the third character from the end.
  const auto end = StartOfCharacterFromEnd(filePart, kSuffixCharacters - 1);
  return std::string(filePart.substr(blank + 1, end - blank - 1));
}

std::string NameTextOf(std::string_view filePart) {
  const auto blank = NameEnd(filePart);
  if (blank == std::string_view::npos) return "0";
  return std::string(filePart.substr(0, blank));
}

std::optional<TonePartFields> ParseTonePart(std::string_view tonePart) {
  std::vector<std::string_view> words;
  std::size_t from = 0;
  while (words.size() <= kSizeWord) {
    const auto blank = tonePart.find(' ', from);
    words.push_back(tonePart.substr(from, blank == std::string_view::npos ? std::string_view::npos : blank - from));
    if (blank == std::string_view::npos) break;
    from = blank + 1;
  }
  if (words.size() <= kSizeWord) return std::nullopt;
  return TonePartFields{std::string(words[kStartWord]), std::string(words[kStopWord]), std::string(words[kSizeWord])};
}

std::vector<std::string> ReplacementList::RowTexts(int row) const {
  const ReplacementRow& r = Row(row);
  return {r.number, r.filePart, r.tonePart};
}

bool ReplacementList::SetTicked(int row, bool ticked) {
  if (row < 0 || row >= RowCount()) return false;
  ReplacementRow& r = m_rows[static_cast<std::size_t>(row)];
  if (ticked && !r.Complete()) {
    r.ticked = false;
    return false;
  }
  r.ticked = ticked;
  return true;
}

int ReplacementList::FindFreeRow(int column) {
  for (int i = 0; i < RowCount(); ++i) {
    const ReplacementRow& r = m_rows[static_cast<std::size_t>(i)];
    if ((column == kReplacementFile ? r.filePart : r.tonePart).empty()) return i;
  }
  m_rows.push_back({RowNumberText(RowCount() + 1), {}, {}, {}, false});
  return RowCount() - 1;
}

void ReplacementList::AddFile(std::string_view name, std::string_view sizeText, std::string path) {
  ReplacementRow& r = m_rows[static_cast<std::size_t>(FindFreeRow(kReplacementFile))];
  r.filePart = FilePartOf(name, sizeText);
  r.filePath = std::move(path);
}

app::RowOrder ReplacementList::AddFiles(const ToneFileList& files, const std::vector<int>& fileRows) {
  for (int i : fileRows) {
    if (i < 0 || i >= files.RowCount()) continue;
    const ToneFile& f = files.Row(i);
    AddFile(f.name, f.sizeText, f.path);
  }
  app::RowOrder order = SortReplacementList();
  RenumberReplacementList();
  return order;
}

app::RowOrder ReplacementList::AddTones(const ToneList& tones, const std::vector<int>& toneRows) {
  for (int i : toneRows) {
    if (i < 0 || i >= tones.RowCount()) continue;
    m_rows[static_cast<std::size_t>(FindFreeRow(kReplacementTone))].tonePart = TonePartOf(tones.Row(i));
  }
  app::RowOrder order = SortReplacementList();
  RenumberReplacementList();
  return order;
}

app::RowOrder ReplacementList::SortReplacementList() {
  return app::StableSortRows(
      m_rows, [](const ReplacementRow& a, const ReplacementRow& b) { return TextLess(a.tonePart, b.tonePart); });
}

void ReplacementList::RenumberReplacementList() {
  for (int i = 0; i < RowCount(); ++i) m_rows[static_cast<std::size_t>(i)].number = RowNumberText(i + 1);
}

// A row that loses its file or its tone loses its tick too: a tick is the
// user's consent to one particular pair, and must not carry over to the
// next file or tone that fills the free place.
void ReplacementList::ClearFile(ReplacementRow& row) {
  row.filePart.clear();
  row.filePath.clear();
  row.ticked = false;
}

void ReplacementList::ClearTone(ReplacementRow& row) {
  row.tonePart.clear();
  row.ticked = false;
}

void ReplacementList::RemoveSelected(std::optional<int> selected) {
  if (!Valid(selected)) return;
  m_rows.erase(m_rows.begin() + *selected);
  RenumberReplacementList();
}

void ReplacementList::RemoveAll() { m_rows.clear(); }

void ReplacementList::RemoveFile(std::optional<int> selected) {
  if (!Valid(selected)) return;
  ReplacementRow& r = m_rows[static_cast<std::size_t>(*selected)];
  if (r.tonePart.empty()) {
    m_rows.erase(m_rows.begin() + *selected);
  } else {
    ClearFile(r);
  }
  RenumberReplacementList();
}

void ReplacementList::RemoveAllFiles() {
  for (ReplacementRow& r : m_rows) ClearFile(r);
  RenumberReplacementList();
}

void ReplacementList::RemoveTone(std::optional<int> selected) {
  if (!Valid(selected)) return;
  ReplacementRow& r = m_rows[static_cast<std::size_t>(*selected)];
  if (r.filePart.empty()) {
    m_rows.erase(m_rows.begin() + *selected);
  } else {
    ClearTone(r);
  }
  RenumberReplacementList();
}

void ReplacementList::RemoveAllTones() {
  for (ReplacementRow& r : m_rows) ClearTone(r);
  RenumberReplacementList();
}

void ReplacementList::TickAll() {
  for (ReplacementRow& r : m_rows) r.ticked = true;
}

std::vector<int> ReplacementList::PatchRows() const {
  std::vector<int> rows;
  for (int i = 0; i < RowCount(); ++i) {
    const ReplacementRow& r = m_rows[static_cast<std::size_t>(i)];
    if (r.ticked && r.Complete()) rows.push_back(i);
  }
  return rows;
}

ReplacementMenuState ReplacementList::MenuState(std::optional<int> selected) const {
  ReplacementMenuState s;
  const bool rows = !m_rows.empty();
  s.selectAll = s.removeRow = s.removeAll = rows;
  if (rows && Valid(selected)) {
    const ReplacementRow& r = m_rows[static_cast<std::size_t>(*selected)];
    s.removeFile = s.removeAllFiles = !r.filePart.empty();
    s.removeTone = s.removeAllTones = !r.tonePart.empty();
  }
  s.patch = !PatchRows().empty();
  return s;
}

}  // namespace korvana::tones
