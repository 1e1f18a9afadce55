#pragma once
// The tone list: the register of built-in tones that a scan finds or a tone
// table loads. It lives as long as the window; loading another image leaves
// it alone, so its rows may describe a different image than the one loaded.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/text_list.h"
#include "tones/tone_entry.h"

namespace korvana::tones {

// How the tone list's context menu looks before it pops up.
struct ToneMenuState {
  bool addTonesEnabled = false;   // "Zur Liste hinzu"
  bool exportEnabled = false;     // "Exportiere Ton", "Alle exporten"
  bool offsetMenuVisible = true;  // "Offset ändern" and the separator before "Zur Liste hinzu"
  bool offsetMenuEnabled = false;
};

class ToneList : public app::TextList {
 public:
  [[nodiscard]] int RowCount() const override { return static_cast<int>(m_rows.size()); }
  [[nodiscard]] std::vector<std::string> RowTexts(int row) const override { return Row(row).Texts(); }

  [[nodiscard]] const ToneEntry& Row(int row) const { return m_rows.at(static_cast<std::size_t>(row)); }
  [[nodiscard]] const std::vector<ToneEntry>& Rows() const { return m_rows; }
  [[nodiscard]] bool Empty() const { return m_rows.empty(); }

  void Clear() { m_rows.clear(); }
  void Add(ToneEntry entry) { m_rows.push_back(std::move(entry)); }
  // Stores the note of row; a row that no longer exists (the list was
  // refilled meanwhile) is left alone.
  void SetNote(int row, std::string note);

  // The row whose number text is number ("003"), as the command line names rows.
  [[nodiscard]] std::optional<int> FindByNumber(std::string_view number) const;

  [[nodiscard]] ToneMenuState MenuState(bool fileLoaded) const;

 private:
  std::vector<ToneEntry> m_rows;
};

}  // namespace korvana::tones
