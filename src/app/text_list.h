#pragma once
// The face that every list of the editor shows to the one Qt adapter: rows
// of texts (the texts are the data: commands parse them back) and, for the
// lists that have them, tick boxes. Which rows are selected is view state
// that callers pass to the model's commands as row indices.

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

}  // namespace korvana::app
