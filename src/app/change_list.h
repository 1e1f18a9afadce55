#pragma once
// The list of changes as the editor shows it: one row per change since the
// load, oldest first, undone ones marked. It is read anew from the journal
// whenever the journal changes; the journal stays the only record.

#include <array>
#include <string_view>
#include <vector>

#include "app/text_list.h"
#include "image/change_journal.h"

namespace korvana::app {

enum class ChangeColumn { kNumber, kLabel, kStart, kStop, kSize, kUndone };
inline constexpr int kChangeColumnCount = 6;

inline constexpr std::array<std::string_view, kChangeColumnCount> kChangeColumnHeaders{
    "Nr.", "Änderung", "von", "bis", "Bytes", "rückgängig"};
// What the column "rückgängig" shows for a change that is undone (empty
// for one that is applied).
inline constexpr std::string_view kUndoneMark = "✓";

class ChangeList : public TextList {
 public:
  // Takes the journal's changes as they stand now.
  void Reload(const image::ChangeJournal& journal) { m_rows = journal.Entries(); }

  [[nodiscard]] int RowCount() const override { return static_cast<int>(m_rows.size()); }
  [[nodiscard]] std::vector<std::string> RowTexts(int row) const override;
  [[nodiscard]] const std::vector<image::ChangeEntry>& Rows() const { return m_rows; }

 private:
  std::vector<image::ChangeEntry> m_rows;
};

}  // namespace korvana::app
