#include "tones/tone_list.h"

namespace korvana::tones {

void ToneList::SetNote(int row, std::string note) {
  if (row < 0 || row >= RowCount()) return;
  m_rows[static_cast<std::size_t>(row)].note = std::move(note);
}

std::optional<int> ToneList::FindByNumber(std::string_view number) const {
  for (int i = 0; i < RowCount(); ++i) {
    if (m_rows[static_cast<std::size_t>(i)].number == number) return i;
  }
  return std::nullopt;
}

ToneMenuState ToneList::MenuState(bool fileLoaded) const {
  if (m_rows.empty()) return {false, false, true, false};
  // With rows but no image there is nothing to export from or to search in:
  // the address entries disappear rather than sit there disabled.
  if (!fileLoaded) return {true, false, false, false};
  return {true, true, true, true};
}

}  // namespace korvana::tones
