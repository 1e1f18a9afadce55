#pragma once
// Cleaning of the fields that the table readers (tone table, picture table)
// take out of a line: hand-edited tables carry stray blanks and TABs.

#include <string>
#include <string_view>

namespace korvana::app {

// value without its leading and trailing blanks, then without any TAB
// character. Only blanks are trimmed, so a TAB that stood outside a blank
// leaves that blank behind: "\t x" gives " x".
[[nodiscard]] std::string CleanTableField(std::string_view value);

}  // namespace korvana::app
