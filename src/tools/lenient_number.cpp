#include "tools/lenient_number.h"

#include <charconv>
#include <cmath>
#include <string>

#include "image/hex.h"

namespace korvana::tools {

namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The text without its blanks, which the reading ignores wherever they stand.
std::string WithoutBlanks(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (!IsBlank(c)) out.push_back(c);
  }
  return out;
}

double RadixNumber(std::string_view digits, int radix) {
  double value = 0;
  for (char c : digits) {
    const int d = image::HexNibble(c);
    if (d < 0 || d >= radix) break;
    value = value * radix + d;
  }
  return value;
}

// The longest decimal number at the start of s, as from_chars reads it.
double DecimalNumber(const std::string& s) {
  std::size_t i = 0;
  std::string number;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) number.push_back(s[i++]);
  while (i < s.size() && IsDigit(s[i])) number.push_back(s[i++]);
  if (i < s.size() && s[i] == '.') {
    number.push_back(s[i++]);
    while (i < s.size() && IsDigit(s[i])) number.push_back(s[i++]);
  }
  if (number.find_first_of("0123456789") == std::string::npos) return 0;
  // An exponent counts only when digits follow it; "D" is an old spelling of "E".
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
    std::size_t j = i + 1;
    std::string exponent = "e";
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) exponent.push_back(s[j++]);
    if (j < s.size() && IsDigit(s[j])) {
      while (j < s.size() && IsDigit(s[j])) exponent.push_back(s[j++]);
      number += exponent;
    }
  }
  if (number.front() == '+') number.erase(0, 1);
  double value = 0;
  const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
  if (result.ec == std::errc::result_out_of_range) {
    // Too large gives infinity with the number's sign, too small gives 0.
    const bool tiny = number.find("e-") != std::string::npos;
    const double huge = number.front() == '-' ? -HUGE_VAL : HUGE_VAL;
    return tiny ? 0.0 : huge;
  }
  return value;
}
}  // namespace

double LenientNumber(std::string_view text) {
  const std::string s = WithoutBlanks(text);
  if (s.size() >= 2 && s[0] == '&') {
    if (s[1] == 'H' || s[1] == 'h') return RadixNumber(std::string_view(s).substr(2), 16);
    if (s[1] == 'O' || s[1] == 'o') return RadixNumber(std::string_view(s).substr(2), 8);
  }
  return DecimalNumber(s);
}

}  // namespace korvana::tools
