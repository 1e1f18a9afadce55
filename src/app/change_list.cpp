#include "app/change_list.h"

namespace korvana::app {

std::vector<std::string> ChangeList::RowTexts(int row) const {
  if (row < 0 || row >= RowCount()) return {};
  const image::ChangeEntry& e = m_rows[static_cast<std::size_t>(row)];
  return {e.number, e.label, e.start, e.stop, e.size, e.undone ? std::string(kUndoneMark) : std::string()};
}

}  // namespace korvana::app
