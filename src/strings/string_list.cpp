#include "strings/string_list.h"

#include <algorithm>
#include <cctype>

#include "image/hex.h"
#include "strings/string_encoding.h"
#include "strings/string_search.h"

namespace korvana::strings {

namespace {
constexpr int kNumberDigits = 2;

// The list sorts its address column as text, letters without regard to case.
bool TextBefore(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::toupper(static_cast<unsigned char>(x)) < std::toupper(static_cast<unsigned char>(y));
  });
}
}  // namespace

AddressRange RangeOf(const StringEntry& entry) {
  return {image::HexToLong(entry.start), image::HexToLong(entry.stop)};
}

std::optional<std::string> PaddedReplacement(std::string_view text, std::string_view lengthText) {
  const std::int64_t wanted = RoundHalfEven(DecimalValueOf(lengthText));
  if (wanted > kMaxReplacementLength) return std::nullopt;
  std::string padded(text);
  const auto have = static_cast<std::int64_t>(Utf16Length(text));
  if (wanted > have) padded.append(static_cast<std::size_t>(wanted - have), ' ');
  return padded;
}

Outcome StringList::AddReplacement(std::string_view start, std::string_view stop, std::string_view replacement,
                                   std::string_view length) {
  if (stop.empty() || start.empty() || replacement.empty()) return Outcome::Failure(msg::kIncompleteInfo);
  std::optional<std::string> padded = PaddedReplacement(replacement, length);
  if (!padded) return Outcome::Failure(msg::kIncompleteInfo, "the length is larger than any firmware string");
  StringEntry entry;
  entry.number = image::ZeroPad(std::to_string(m_rows.size() + 1), kNumberDigits);
  entry.start = start;
  entry.stop = stop;
  entry.replacement = std::move(*padded);
  entry.length = length;
  m_rows.push_back(std::move(entry));
  std::stable_sort(m_rows.begin(), m_rows.end(),
                   [](const StringEntry& a, const StringEntry& b) { return TextBefore(a.start, b.start); });
  return Outcome::Success();
}

void StringList::RemoveRow(int row) {
  if (Valid(row)) m_rows.erase(m_rows.begin() + row);
}

void StringList::RemoveAll() { m_rows.clear(); }

StringList::MenuState StringList::ContextMenuState() const { return {!m_rows.empty(), TickedCount() > 0}; }

int StringList::TickedCount() const {
  return static_cast<int>(std::count_if(m_rows.begin(), m_rows.end(), [](const StringEntry& e) { return e.ticked; }));
}

std::vector<std::string> StringList::RowTexts(int row) const {
  if (!Valid(row)) return {};
  const StringEntry& e = m_rows[static_cast<std::size_t>(row)];
  return {e.number, e.start, e.stop, e.replacement, e.length};
}

bool StringList::Ticked(int row) const { return Valid(row) && m_rows[static_cast<std::size_t>(row)].ticked; }

bool StringList::SetTicked(int row, bool ticked) {
  if (!Valid(row)) return false;
  m_rows[static_cast<std::size_t>(row)].ticked = ticked;
  return true;
}

}  // namespace korvana::strings
