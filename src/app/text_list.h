#pragma once
// The face that every list of the editor shows to the one Qt adapter: rows
// of texts (the texts are the data: commands parse them back) and, for the
// lists that have them, tick boxes. Which rows are selected is view state
// that callers pass to the model's commands as row indices.

#include <algorithm>
#include <numeric>
#include <string>
#include <vector>

namespace korvana::app {

class TextList {
 public:
  virtual ~TextList() = default;

  [[nodiscard]] virtual int RowCount() const = 0;
  // The texts of the row's columns, first column first.
  [[nodiscard]] virtual std::vector<std::string> RowTexts(int row) const = 0;

  [[nodiscard]] virtual bool HasTicks() const { return false; }
  [[nodiscard]] virtual bool Ticked(int /*row*/) const { return false; }
  // Sets the tick; false when the list refuses it (the box then stays as
  // the model says).
  virtual bool SetTicked(int /*row*/, bool /*ticked*/) { return false; }
};

// Where each row came from after a reordering: order[newRow] is the row's
// index before. A view uses it to keep its selection on the same items.
using RowOrder = std::vector<int>;

// The order of rows that did not move.
[[nodiscard]] inline RowOrder UnchangedOrder(std::size_t rowCount) {
  RowOrder order(rowCount);
  std::iota(order.begin(), order.end(), 0);
  return order;
}

// Sorts rows stably by less and returns where each row came from.
template <typename Row, typename Less>
RowOrder StableSortRows(std::vector<Row>& rows, Less less) {
  RowOrder order = UnchangedOrder(rows.size());
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
    return less(rows[static_cast<std::size_t>(a)], rows[static_cast<std::size_t>(b)]);
  });
  std::vector<Row> sorted;
  sorted.reserve(rows.size());
  for (int from : order) sorted.push_back(std::move(rows[static_cast<std::size_t>(from)]));
  rows = std::move(sorted);
  return order;
}

}  // namespace korvana::app
