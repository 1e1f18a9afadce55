// Decoding 128 x 160 frames (the largest handset picture) of every stored
// layout into BMP bytes: frames per second of each decoder.
//
//   picture_decode_bench [frames]

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

#include "pictures/stored_picture_format.h"

namespace {
double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}
}  // namespace

int main(int argc, char** argv) {
  namespace p = korvana::pictures;
  const int frames = argc > 1 ? std::atoi(argv[1]) : 2000;
  constexpr int kWidth = 128;
  constexpr int kHeight = 160;
  std::vector<std::uint8_t> image(kWidth * kHeight * 3 + 64);
  std::mt19937 rng(11);
  for (auto& b : image) b = static_cast<std::uint8_t>(rng());
  // A compressed frame of runs of 8 pixels: code 88 and one colour word each.
  std::vector<std::uint8_t> packed{9, 0};
  for (int i = 0; i < kWidth * kHeight / 8; ++i) packed.insert(packed.end(), {0x88, static_cast<std::uint8_t>(i), 0x12});
  p::Palette16 palette{};

  auto run = [&](const char* name, auto decode) {
    std::size_t bytes = 0;
    const auto t = std::chrono::steady_clock::now();
    for (int i = 0; i < frames; ++i) bytes += decode().bytes.size();
    const double s = Seconds(t);
    std::printf("%-12s %8.0f frames/s  %7.1f MB/s of BMP\n", name, frames / s, bytes / s / 1e6);
  };
  run("depth 1", [&] { return p::DecodeMonoPicture(image, 0, kWidth, kHeight); });
  for (int depth : {4, 8, 12, 16, 24}) {
    char name[16];
    std::snprintf(name, sizeof name, "depth %d", depth);
    run(name, [&] { return p::DecodePicture(image, 0, kWidth, kHeight, depth, palette); });
  }
  run("depth 16*", [&] { return p::DecodeCompressedPicture(packed, 0, kWidth, kHeight); });
  return 0;
}
