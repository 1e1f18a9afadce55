#pragma once
// The order in which the tone lists sort their texts: ASCII letters without
// regard to case, everything else by byte, so that names and notes in other
// scripts (UTF-8 sequences) come after the Latin ones.

#include <algorithm>
#include <string_view>

namespace korvana::tones {

[[nodiscard]] inline unsigned char FoldedByte(char c) {
  const auto b = static_cast<unsigned char>(c);
  return (b >= 'A' && b <= 'Z') ? static_cast<unsigned char>(b - 'A' + 'a') : b;
}

[[nodiscard]] inline bool TextLess(std::string_view a, std::string_view b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                      [](char x, char y) { return FoldedByte(x) < FoldedByte(y); });
}

// True when name ends in ".mmf" in any case and has something before it.
[[nodiscard]] inline bool HasMmfExtension(std::string_view name) {
  constexpr std::string_view kMmf = ".mmf";
  if (name.size() <= kMmf.size()) return false;
  const auto ext = name.substr(name.size() - kMmf.size());
  return std::equal(ext.begin(), ext.end(), kMmf.begin(),
                    [](char x, char y) { return FoldedByte(x) == static_cast<unsigned char>(y); });
}

}  // namespace korvana::tones
