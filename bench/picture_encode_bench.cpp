// Encoding a 128 x 160 BMP (the largest handset picture) into every stored
// layout, and compressing it: frames per second of each path.
//
//   picture_encode_bench [frames]

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

#include "pictures/bmp_file.h"
#include "pictures/picture_encoding.h"

namespace {
double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// A 24-bit (or 1-bit) bottom-up BMP: bands of a few colours with noise in
// every eighth band, so that compression finds runs, palette pixels and
// literals.
std::vector<std::uint8_t> Picture(int width, int height, int bits) {
  namespace p = korvana::pictures;
  const std::int64_t rowSize = p::BmpRowSize(width, bits);
  const std::size_t table = bits == 1 ? 8 : 0;
  std::vector<std::uint8_t> bmp = p::BmpHeader(width, height, bits, 0, table, rowSize * height);
  if (bits == 1) bmp.insert(bmp.end(), {0, 0, 0, 0, 255, 255, 255, 0});
  std::mt19937 rng(5);
  for (int y = 0; y < height; ++y) {
    std::vector<std::uint8_t> row(static_cast<std::size_t>(rowSize), 0);
    for (int x = 0; x < width; ++x) {
      if (bits == 1) {
        if (rng() % 2) row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        continue;
      }
      const bool noise = (y / 10) % 8 == 0;
      for (int c = 0; c < 3; ++c) {
        row[static_cast<std::size_t>(3 * x + c)] =
            static_cast<std::uint8_t>(noise ? rng() : (x / 16 * 40 + c * 90 + y / 20 * 30));
      }
    }
    bmp.insert(bmp.end(), row.begin(), row.end());
  }
  return bmp;
}
}  // namespace

int main(int argc, char** argv) {
  namespace p = korvana::pictures;
  const int frames = argc > 1 ? std::atoi(argv[1]) : 500;
  constexpr int kWidth = 128;
  constexpr int kHeight = 160;
  const std::vector<std::uint8_t> colour = Picture(kWidth, kHeight, 24);
  const std::vector<std::uint8_t> mono = Picture(kWidth, kHeight, 1);

  auto run = [&](const char* name, auto encode) {
    std::size_t bytes = 0;
    const auto t = std::chrono::steady_clock::now();
    for (int i = 0; i < frames; ++i) bytes += encode().bytes.size();
    const double s = Seconds(t);
    std::printf("%-12s %8.0f frames/s  %8zu stored bytes a frame\n", name, frames / s, bytes / frames);
  };
  run("depth 1", [&] { return p::EncodeBmp(mono, 1); });
  for (int depth : {8, 12, 16, 24}) {
    char name[16];
    std::snprintf(name, sizeof name, "depth %d", depth);
    run(name, [&] { return p::EncodeBmp(colour, depth); });
  }
  run("depth 16*", [&] { return p::EncodeCompressedBmp(colour, {}); });
  return 0;
}
