#include "pictures/picture_list.h"

namespace korvana::pictures {

std::vector<std::string> PictureList::RowTexts(int row) const {
  const PictureEntry* e = Row(row);
  if (e == nullptr) return {};
  return {e->number, e->name, e->start, e->count, e->frameSize, e->dimensions, e->depth};
}

const PictureEntry* PictureList::Row(int row) const {
  if (row < 0 || row >= RowCount()) return nullptr;
  return &m_rows[static_cast<std::size_t>(row)];
}

int PictureList::FindNumber(std::string_view number) const {
  for (int i = 0; i < RowCount(); ++i) {
    if (m_rows[static_cast<std::size_t>(i)].number == number) return i;
  }
  return -1;
}

bool PictureList::SetFrameSize(int row, std::string frameSize) {
  if (Row(row) == nullptr) return false;
  m_rows[static_cast<std::size_t>(row)].frameSize = std::move(frameSize);
  return true;
}

}  // namespace korvana::pictures
