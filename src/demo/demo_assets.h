#pragma once
// Files compiled into the program for the demonstration firmware: the SMAF
// tones of the tests ("a.mmf" .. "d.mmf") and the depth-4 palette "16.dat".

#include <cstdint>
#include <span>
#include <string_view>

namespace korvana::demo {

// The bytes of the embedded file of that name; empty for an unknown name.
[[nodiscard]] std::span<const std::uint8_t> DemoAsset(std::string_view name);

}  // namespace korvana::demo
