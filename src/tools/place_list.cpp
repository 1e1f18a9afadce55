#include "tools/place_list.h"

#include "image/hex.h"

namespace korvana::tools {

namespace {
constexpr std::string_view kPlacePrefix = "0x";
constexpr int kPlaceDigits = 8;
constexpr int kNumberDigits = 2;
}  // namespace

std::string_view AddressDigitsOf(std::string_view column) { return image::LastCharacters(column, kPlaceDigits); }

std::vector<std::string> PlaceList::RowTexts(int row) const {
  if (!Exists(row)) return {};
  const PlaceRow& r = m_rows[static_cast<std::size_t>(row)];
  return {r.number, r.place};
}

bool PlaceList::Ticked(int row) const { return Exists(row) && m_rows[static_cast<std::size_t>(row)].ticked; }

bool PlaceList::SetTicked(int row, bool ticked) {
  if (!Exists(row)) return false;
  m_rows[static_cast<std::size_t>(row)].ticked = ticked;
  return true;
}

void PlaceList::Add(Address place) {
  PlaceRow row;
  row.number = image::ZeroPad(std::to_string(RowCount() + 1), kNumberDigits);
  row.place = std::string(kPlacePrefix) + image::HexPad(place, kPlaceDigits);
  m_rows.push_back(std::move(row));
}

void PlaceList::TickSingleHit() {
  if (m_rows.size() == 1) m_rows.front().ticked = true;
}

std::optional<Address> PlaceList::FirstTickedPlace() const {
  for (const PlaceRow& row : m_rows) {
    if (row.ticked) return image::HexToLong(AddressDigitsOf(row.place));
  }
  return std::nullopt;
}

}  // namespace korvana::tools
