#include "app/table_field.h"

namespace korvana::app {

std::string CleanTableField(std::string_view value) {
  const auto first = value.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const auto last = value.find_last_not_of(' ');
  std::string out;
  out.reserve(last - first + 1);
  for (char c : value.substr(first, last - first + 1)) {
    if (c != '\t') out.push_back(c);
  }
  return out;
}

}  // namespace korvana::app
