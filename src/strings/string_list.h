#pragma once
// The string replacement list of the tab "Zeichen": one row per found string and its
// replacement, kept as the texts the list shows, sorted by start address.
// The rows are read back by the patch commands at export time.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/text_list.h"
#include "image/outcome.h"
#include "image/types.h"

namespace korvana::strings {

enum StringColumn { kNumberColumn = 0, kStartColumn, kStopColumn, kTextColumn, kLengthColumn, kStringColumnCount };

// A replacement is padded to the found length; a length field beyond this
// many characters is refused instead of padded (no firmware string is that
// long, and the padding would be allocated from the typed number).
inline constexpr std::int64_t kMaxReplacementLength = 1 << 16;

struct StringEntry {
  std::string number;       // "Nr: ": rows of the list after this one was added, two digits at least
  std::string start;        // "Startadr": the hit's start address when added
  std::string stop;         // "Stopadr.": the hit's stop address
  std::string replacement;  // "String ändern ": the replacement text padded with blanks to the length
  std::string length;       // "Größe Byte": the hit's length
  bool ticked = false;
};

// The address range a row names. Throws image::HexOverflow for an address of
// 80000000 or more (the fields can be typed into).
[[nodiscard]] AddressRange RangeOf(const StringEntry& entry);

// The replacement text padded with blanks until it has as many characters as
// the length field says (rounded half to even); a longer text stays as it is.
// Empty when the length exceeds kMaxReplacementLength.
[[nodiscard]] std::optional<std::string> PaddedReplacement(std::string_view text, std::string_view lengthText);

class StringList : public app::TextList {
 public:
  // "zufügen ": adds a row for the fields of the tab and sorts the list by
  // start address. Fails with message 25 when the start, stop or replacement
  // field is empty, or the length field is beyond kMaxReplacementLength.
  [[nodiscard]] Outcome AddReplacement(std::string_view start, std::string_view stop, std::string_view replacement,
                                       std::string_view length);

  // "Lösche Ausw.": removes one row; nothing for -1 (no selection). Rows are
  // not renumbered.
  void RemoveRow(int row);
  // "Lösche alle!".
  void RemoveAll();

  // Which items of the list's context menu are enabled.
  struct MenuState {
    bool remove = false;  // the two removals: the list has rows
    bool output = false;  // the S-record patch and the write into the image: a row is ticked
  };
  [[nodiscard]] MenuState ContextMenuState() const;

  [[nodiscard]] const std::vector<StringEntry>& Rows() const { return m_rows; }
  [[nodiscard]] int TickedCount() const;

  // app::TextList
  [[nodiscard]] int RowCount() const override { return static_cast<int>(m_rows.size()); }
  [[nodiscard]] std::vector<std::string> RowTexts(int row) const override;
  [[nodiscard]] bool HasTicks() const override { return true; }
  [[nodiscard]] bool Ticked(int row) const override;
  bool SetTicked(int row, bool ticked) override;

 private:
  [[nodiscard]] bool Valid(int row) const { return row >= 0 && row < RowCount(); }

  std::vector<StringEntry> m_rows;
};

}  // namespace korvana::strings
