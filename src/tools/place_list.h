#pragma once
// The list of the tool windows: one numbered row per place where a search
// found what it looked for, with a tick box for the place to change.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/text_list.h"
#include "image/types.h"

namespace korvana::tools {

// The columns of a place row.
enum class PlaceColumn { kNumber = 0, kPlace = 1 };

struct PlaceRow {
  std::string number;  // "01", "02", ... "100"
  std::string place;   // "0x" and eight upper-case hex digits
  bool ticked = false;
};

// The hex digits of an address column as the lists show it ("0x0000ABCD",
// "0X00A1B2C4"): its last eight characters.
[[nodiscard]] std::string_view AddressDigitsOf(std::string_view column);

class PlaceList : public app::TextList {
 public:
  [[nodiscard]] int RowCount() const override { return static_cast<int>(m_rows.size()); }
  // {number, place}; empty for a row that does not exist.
  [[nodiscard]] std::vector<std::string> RowTexts(int row) const override;
  [[nodiscard]] bool HasTicks() const override { return true; }
  [[nodiscard]] bool Ticked(int row) const override;
  // Every existing row may be ticked and unticked.
  bool SetTicked(int row, bool ticked) override;

  void Clear() { m_rows.clear(); }
  // Adds the next numbered row for place. There is no limit: a list that
  // left places out would offer an incomplete answer as the whole one.
  void Add(Address place);
  // A search that found one place means that place: it is ticked for the
  // user. Does nothing for any other count.
  void TickSingleHit();

  // The place of the first ticked row in list order, read back from its
  // text; nothing when no row is ticked. Only that row is ever changed, however
  // many are ticked.
  [[nodiscard]] std::optional<Address> FirstTickedPlace() const;

  [[nodiscard]] const std::vector<PlaceRow>& Rows() const { return m_rows; }

 private:
  [[nodiscard]] bool Exists(int row) const { return row >= 0 && row < RowCount(); }

  std::vector<PlaceRow> m_rows;
};

}  // namespace korvana::tools
