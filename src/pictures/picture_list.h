#pragma once
// The picture list of the picture tab: rows of PictureEntry, read from a
// picture table file and read back by every picture command.

#include <array>
#include <string_view>
#include <vector>

#include "app/text_list.h"
#include "pictures/picture_entry.h"

namespace korvana::pictures {

enum class PictureColumn { kNumber, kName, kStart, kCount, kFrameSize, kDimensions, kDepth };
inline constexpr int kPictureColumnCount = 7;

// The column headers as the list shows them. The table writer takes its
// labels from the headers of columns 4 to 7; note the two blanks in the
// frame size header.
inline constexpr std::array<std::string_view, kPictureColumnCount> kPictureColumnHeaders{
    "Nr: ", "Bildname", "Startadr", "Zahl", "Größe  .", "Maße", "Farb"};

class PictureList : public app::TextList {
 public:
  [[nodiscard]] int RowCount() const override { return static_cast<int>(m_rows.size()); }
  [[nodiscard]] std::vector<std::string> RowTexts(int row) const override;

  [[nodiscard]] const std::vector<PictureEntry>& Rows() const { return m_rows; }
  // The row, or nullptr outside 0 .. RowCount() - 1.
  [[nodiscard]] const PictureEntry* Row(int row) const;
  void SetRows(std::vector<PictureEntry> rows) { m_rows = std::move(rows); }
  void Clear() { m_rows.clear(); }
  // The row whose number text is number ("002"), -1 for none.
  [[nodiscard]] int FindNumber(std::string_view number) const;
  // A replacement may make a compressed frame larger: the row's frame size
  // then follows it. False outside the list.
  bool SetFrameSize(int row, std::string frameSize);

 private:
  std::vector<PictureEntry> m_rows;
};

}  // namespace korvana::pictures
