// Every hit of a 4-byte pattern over a 64 MiB image through FindHexPattern,
// beside a plain memchr pass over the same buffer.
//
//   find_bench [MiB] [hits]

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

#include "image/handset_image.h"

namespace {
double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}
}  // namespace

int main(int argc, char** argv) {
  const std::size_t mib = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 64;
  const std::size_t wanted = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 500;
  std::vector<std::uint8_t> bytes(mib << 20);
  // Firmware-like content: random code with the pattern's first byte as
  // common as any other byte.
  std::mt19937 rng(7);
  for (auto& b : bytes) b = static_cast<std::uint8_t>(rng());
  for (std::size_t i = 0; i < wanted; ++i) std::memcpy(&bytes[(i + 1) * (bytes.size() / (wanted + 2))], "MMMD", 4);

  korvana::image::HandsetImage image;
  image.Assign(bytes, "bench.bin");

  const int rounds = 5;
  double best = 1e9;
  std::size_t hits = 0;
  for (int r = 0; r < rounds; ++r) {
    const auto t = std::chrono::steady_clock::now();
    hits = 0;
    image.SetSearchStart(0);
    while (image.FindHexPattern("4D4D4D44")) ++hits;
    best = std::min(best, Seconds(t));
  }
  double bestMemchr = 1e9;
  std::size_t candidates = 0;
  for (int r = 0; r < rounds; ++r) {
    const auto t = std::chrono::steady_clock::now();
    candidates = 0;
    const std::uint8_t* p = bytes.data();
    const std::uint8_t* end = p + bytes.size();
    while ((p = static_cast<const std::uint8_t*>(std::memchr(p, 'M', static_cast<std::size_t>(end - p))))) {
      ++candidates;
      ++p;
    }
    bestMemchr = std::min(bestMemchr, Seconds(t));
  }
  const double size = static_cast<double>(bytes.size()) / (1 << 20);
  std::printf("image %zu MiB, %zu hits of 4D4D4D44 (%zu bytes 4D)\n", mib, hits, candidates);
  std::printf("FindHexPattern: %.1f ms  %.0f MiB/s\n", best * 1e3, size / best);
  std::printf("memchr pass:    %.1f ms  %.0f MiB/s\n", bestMemchr * 1e3, size / bestMemchr);
  std::printf("ratio: %.2fx\n", best / bestMemchr);
  return 0;
}
