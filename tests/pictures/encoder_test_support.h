#pragma once
// BMPs for the encoder tests, built from the published layout (not from the
// code under test), and pixel reads of the decoders' 24-bit results.

#include <cstdint>
#include <functional>
#include <vector>

#include "bmp_test_support.h"

namespace korvana::pictures::bmptest {

using PixelFn = std::function<Bgr(int x, int y)>;  // y = 0 is the top row

// A deterministic spread of colours over the whole range.
inline Bgr Scattered(int x, int y) {
  const unsigned h = (static_cast<unsigned>(x) * 73856093u ^ static_cast<unsigned>(y) * 19349663u) * 2654435761u;
  return {static_cast<std::uint8_t>(h >> 8), static_cast<std::uint8_t>(h >> 16), static_cast<std::uint8_t>(h >> 24)};
}

inline std::vector<std::uint8_t> Bmp24Of(int width, int height, const PixelFn& pixel) {
  std::vector<std::vector<Bgr>> rows(static_cast<std::size_t>(height));
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) rows[static_cast<std::size_t>(y)].push_back(pixel(x, y));
  }
  return Bmp24(rows);
}

// A 16-bit BMP of words (word(x, y), top row first): compression 0 (5-5-5)
// or bit fields with the 5-6-5 masks.
inline std::vector<std::uint8_t> Bmp16Of(int width, int height, bool is565,
                                         const std::function<std::uint16_t(int, int)>& word) {
  const int rowSize = (width * 16 + 31) / 32 * 4;
  const int table = is565 ? 16 : 0;
  std::vector<std::uint8_t> out = Headers(width, height, 16, is565 ? 3 : 0, table, rowSize * height);
  if (is565) {
    for (std::uint32_t m : {0xF800u, 0x07E0u, 0x001Fu, 0u}) PutLe32(out, m);
  }
  for (int y = height - 1; y >= 0; --y) {
    for (int x = 0; x < width; ++x) {
      const std::uint16_t w = word(x, y);
      out.push_back(static_cast<std::uint8_t>(w));
      out.push_back(static_cast<std::uint8_t>(w >> 8));
    }
    out.insert(out.end(), static_cast<std::size_t>(rowSize - 2 * width), 0);
  }
  return out;
}

// A 1-bit BMP; black(x, y) pixels get the palette entry that is black.
inline std::vector<std::uint8_t> Bmp1Of(int width, int height, bool whiteFirst,
                                        const std::function<bool(int, int)>& black) {
  const int rowSize = (width + 31) / 32 * 4;
  std::vector<std::uint8_t> out = Headers(width, height, 1, 0, 8, rowSize * height);
  const std::vector<std::uint8_t> blackEntry{0, 0, 0, 0}, whiteEntry{255, 255, 255, 0};
  for (const auto* e : whiteFirst ? std::vector{&whiteEntry, &blackEntry} : std::vector{&blackEntry, &whiteEntry}) {
    out.insert(out.end(), e->begin(), e->end());
  }
  const unsigned blackBit = whiteFirst ? 1 : 0;
  for (int y = height - 1; y >= 0; --y) {
    std::vector<std::uint8_t> row(static_cast<std::size_t>(rowSize), 0);
    for (int x = 0; x < width; ++x) {
      const unsigned bit = black(x, y) ? blackBit : 1 - blackBit;
      row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(bit << (7 - x % 8));
    }
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

// Pixel (x, y), y = 0 the top row, of a bottom-up 24-bit BMP with its pixels
// at 54.
inline Bgr Pixel24(const std::vector<std::uint8_t>& bmp, int x, int y) {
  const int width = bmp[18] | bmp[19] << 8;
  const int height = bmp[22] | bmp[23] << 8;
  const int rowSize = (width * 3 + 3) / 4 * 4;
  const std::size_t at = 54 + static_cast<std::size_t>((height - 1 - y) * rowSize + 3 * x);
  return {bmp[at], bmp[at + 1], bmp[at + 2]};
}

// A channel reduced to levels + 1 values and widened again as the decoders
// widen it: round(round(c / 255 * levels) * 255 / levels).
inline std::uint8_t Reduced(std::uint8_t c, int levels) {
  const int kept = (2 * c * levels + 255) / 510;
  return static_cast<std::uint8_t>((2 * kept * 255 + levels) / (2 * levels));
}

// Scattered with the red channel kept high, so that no pixel reduces to the
// 16-bit word 0001, which the compressed form draws white.
inline Bgr NoiseWithoutWordOne(int x, int y) {
  Bgr c = Scattered(x, y);
  c[2] |= 0x80;
  return c;
}

// A colour as a 16-bit pixel keeps it (5 bits a channel) and the decoders
// widen it again.
inline Bgr Through16Bit(const Bgr& c) { return {Reduced(c[0], 31), Reduced(c[1], 31), Reduced(c[2], 31)}; }

// How many pixels of a bottom-up 24-bit BMP differ from expected(x, y).
inline int PixelsDiffering(const std::vector<std::uint8_t>& bmp, int width, int height, const PixelFn& expected) {
  int wrong = 0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) wrong += Pixel24(bmp, x, y) != expected(x, y) ? 1 : 0;
  }
  return wrong;
}

}  // namespace korvana::pictures::bmptest
