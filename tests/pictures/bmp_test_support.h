#pragma once
// BMP files built field by field from the published layout, not by the code under test.

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

namespace korvana::pictures::bmptest {

using Bytes = std::vector<std::uint8_t>;
using Bgr = std::array<std::uint8_t, 3>;  // blue, green, red

inline constexpr Bgr kBlack{0, 0, 0};
inline constexpr Bgr kWhite{255, 255, 255};
inline constexpr Bgr kRed{0, 0, 255};
inline constexpr Bgr kGreen{0, 255, 0};
inline constexpr Bgr kBlue{255, 0, 0};
// The bit fields of a 5-6-5 BMP: red F800, green 07E0, blue 001F, a zero word.
inline const Bytes kMasks565{0, 0xF8, 0, 0, 0xE0, 0x07, 0, 0, 0x1F, 0, 0, 0, 0, 0, 0, 0};
inline const Bytes kMasks555{0, 0x7C, 0, 0, 0xE0, 0x03, 0, 0, 0x1F, 0, 0, 0, 0, 0, 0, 0};

inline void PutLe32(Bytes& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

// File header and 40-byte information header (3780 pixels a metre).
inline Bytes Headers(int width, int height, int bits, int compression, int tableSize, int pixelSize) {
  Bytes out{'B', 'M'};
  for (int v : {54 + tableSize + pixelSize, 0, 54 + tableSize, 40, width, height})
    PutLe32(out, static_cast<std::uint32_t>(v));
  out.insert(out.end(), {1, 0, static_cast<std::uint8_t>(bits), 0});
  for (int v : {compression, pixelSize, 3780, 3780, 0, 0}) PutLe32(out, static_cast<std::uint32_t>(v));
  return out;
}

// A BMP of `bits` per pixel: the table, then the rows bottom first without their padding.
inline Bytes PackedBmp(int width, int bits, int compression, const Bytes& table, const std::vector<Bytes>& rows) {
  const int rowSize = (width * bits + 31) / 32 * 4;
  const int height = static_cast<int>(rows.size());
  Bytes out = Headers(width, height, bits, compression, static_cast<int>(table.size()), rowSize * height);
  out.insert(out.end(), table.begin(), table.end());
  for (const Bytes& row : rows) {
    out.insert(out.end(), row.begin(), row.end());
    out.insert(out.end(), static_cast<std::size_t>(rowSize) - row.size(), 0);
  }
  return out;
}

// A 24-bit bottom-up BMP of the pixels, given top row first.
inline Bytes Bmp24(const std::vector<std::vector<Bgr>>& rowsTopFirst) {
  std::vector<Bytes> rows;
  for (auto r = rowsTopFirst.rbegin(); r != rowsTopFirst.rend(); ++r) {
    Bytes& row = rows.emplace_back();
    for (const Bgr& p : *r) row.insert(row.end(), p.begin(), p.end());
  }
  return PackedBmp(rowsTopFirst.empty() ? 0 : static_cast<int>(rowsTopFirst[0].size()), 24, 0, {}, rows);
}

// pixel(x, y), y = 0 the top row.
inline Bytes Bmp24Of(int width, int height, const std::function<Bgr(int, int)>& pixel) {
  std::vector<std::vector<Bgr>> rows(static_cast<std::size_t>(height));
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) rows[static_cast<std::size_t>(y)].push_back(pixel(x, y));
  }
  return Bmp24(rows);
}

// A 1-bit BMP; black(x, y) pixels get the palette entry that is black.
inline Bytes Bmp1Of(int width, int height, bool whiteFirst, const std::function<bool(int, int)>& black) {
  const Bytes palette = whiteFirst ? Bytes{255, 255, 255, 0, 0, 0, 0, 0} : Bytes{0, 0, 0, 0, 255, 255, 255, 0};
  std::vector<Bytes> rows;
  for (int y = height - 1; y >= 0; --y) {
    Bytes& row = rows.emplace_back(static_cast<std::size_t>((width + 7) / 8), 0);
    for (int x = 0; x < width; ++x) {
      if (black(x, y) == whiteFirst) row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
    }
  }
  return PackedBmp(width, 1, 0, palette, rows);
}

// A deterministic spread of colours over the whole range.
inline Bgr Scattered(int x, int y) {
  const unsigned h = (static_cast<unsigned>(x) * 73856093u ^ static_cast<unsigned>(y) * 19349663u) * 2654435761u;
  return {static_cast<std::uint8_t>(h >> 8), static_cast<std::uint8_t>(h >> 16), static_cast<std::uint8_t>(h >> 24)};
}

// Pixel (x, y), y = 0 the top row, of a bottom-up 24-bit BMP with its pixels at 54.
inline Bgr Pixel24(const Bytes& bmp, int x, int y) {
  const int width = bmp[18] | bmp[19] << 8;
  const int height = bmp[22] | bmp[23] << 8;
  const std::size_t at = 54 + static_cast<std::size_t>((height - 1 - y) * ((width * 3 + 3) / 4 * 4) + 3 * x);
  return {bmp[at], bmp[at + 1], bmp[at + 2]};
}

// A channel reduced to levels + 1 values and widened again, both rounded.
inline std::uint8_t Reduced(std::uint8_t c, int levels) {
  const int kept = (2 * c * levels + 255) / 510;
  return static_cast<std::uint8_t>((2 * kept * 255 + levels) / (2 * levels));
}

}  // namespace korvana::pictures::bmptest
