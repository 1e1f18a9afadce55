#pragma once
// A noisy picture and what the decoders make of it as a 16-bit frame, for the command line and window tests.

#include "bmp_test_support.h"

namespace korvana::pictures::bmptest {

using PixelFn = std::function<Bgr(int x, int y)>;  // y = 0 is the top row

// Red kept high: no pixel reduces to the word 0001, which the compressed form draws white.
inline Bgr NoiseWithoutWordOne(int x, int y) {
  Bgr c = Scattered(x, y);
  c[2] |= 0x80;
  return c;
}

// A colour as a 16-bit pixel keeps it (5 bits a channel) and the decoders widen it again.
inline Bgr Through16Bit(const Bgr& c) { return {Reduced(c[0], 31), Reduced(c[1], 31), Reduced(c[2], 31)}; }

// How many pixels of a bottom-up 24-bit BMP differ from expected(x, y).
inline int PixelsDiffering(const Bytes& bmp, int width, int height, const PixelFn& expected) {
  int wrong = 0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) wrong += Pixel24(bmp, x, y) != expected(x, y) ? 1 : 0;
  }
  return wrong;
}

}  // namespace korvana::pictures::bmptest
