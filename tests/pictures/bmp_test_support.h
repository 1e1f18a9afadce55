#pragma once
// Expected BMP files for the picture tests, built field by field from the
// published BMP layout rather than from the code under test.

#include <array>
#include <cstdint>
#include <vector>

namespace korvana::pictures::bmptest {

using Bgr = std::array<std::uint8_t, 3>;  // blue, green, red

inline void PutLe32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

// File header and 40-byte information header.
inline std::vector<std::uint8_t> Headers(int width, int height, int bits, int compression, int tableSize,
                                         int pixelSize) {
  std::vector<std::uint8_t> out{'B', 'M'};
  PutLe32(out, static_cast<std::uint32_t>(54 + tableSize + pixelSize));
  PutLe32(out, 0);
  PutLe32(out, static_cast<std::uint32_t>(54 + tableSize));
  PutLe32(out, 40);
  PutLe32(out, static_cast<std::uint32_t>(width));
  PutLe32(out, static_cast<std::uint32_t>(height));
  out.insert(out.end(), {1, 0, static_cast<std::uint8_t>(bits), 0});
  PutLe32(out, static_cast<std::uint32_t>(compression));
  PutLe32(out, static_cast<std::uint32_t>(pixelSize));
  out.insert(out.end(), {0xC4, 0x0E, 0, 0, 0xC4, 0x0E, 0, 0});
  PutLe32(out, 0);
  PutLe32(out, 0);
  return out;
}

// A 24-bit bottom-up BMP of the pixels, given top row first.
inline std::vector<std::uint8_t> Bmp24(const std::vector<std::vector<Bgr>>& rowsTopFirst) {
  const int height = static_cast<int>(rowsTopFirst.size());
  const int width = height > 0 ? static_cast<int>(rowsTopFirst[0].size()) : 0;
  const int rowSize = (width * 3 + 3) / 4 * 4;
  std::vector<std::uint8_t> out = Headers(width, height, 24, 0, 0, rowSize * height);
  for (int r = height - 1; r >= 0; --r) {
    for (const Bgr& p : rowsTopFirst[static_cast<std::size_t>(r)]) out.insert(out.end(), p.begin(), p.end());
    out.insert(out.end(), static_cast<std::size_t>(rowSize - width * 3), 0);
  }
  return out;
}

inline constexpr Bgr kBlack{0, 0, 0};
inline constexpr Bgr kWhite{255, 255, 255};
inline constexpr Bgr kRed{0, 0, 255};
inline constexpr Bgr kGreen{0, 255, 0};
inline constexpr Bgr kBlue{255, 0, 0};

}  // namespace korvana::pictures::bmptest
