// Every occurrence of a text through SearchString, click after click until
// the last miss, over a 64 MiB image: once in firmware-like data with
// zero-terminated strings, once in data without any zero byte where every
// hit has to be counted without a terminator.
//
//   strings_bench [MiB] [hits]

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

#include "image/handset_image.h"
#include "strings/string_search.h"

namespace {
double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// Best of five full searches; returns the shown hits and the counter.
double TimeAllClicks(korvana::image::HandsetImage& image, std::size_t& shown, std::string& counter) {
  const korvana::strings::StringSearchRequest request{"设置菜单", korvana::strings::StringEncoding::kEnglish, false};
  double best = 1e9;
  for (int r = 0; r < 5; ++r) {
    const auto t = std::chrono::steady_clock::now();
    image.SetSearchStart(0);
    korvana::strings::StringSearchFields fields;
    shown = 0;
    while (korvana::strings::SearchString(image, request, fields).ok) ++shown;
    counter = fields.counter;
    best = std::min(best, Seconds(t));
  }
  return best;
}
}  // namespace

int main(int argc, char** argv) {
  const std::size_t mib = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 64;
  const std::size_t wanted = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 10000;
  const std::uint8_t text[] = {0xC9, 0xE8, 0xD6, 0xC3, 0xB2, 0xCB, 0xB5, 0xA5};  // 设置菜单 in GBK
  std::vector<std::uint8_t> bytes(mib << 20);
  std::mt19937 rng(7);
  for (auto& b : bytes) b = static_cast<std::uint8_t>(rng());
  const std::size_t step = bytes.size() / (wanted + 2);
  for (std::size_t i = 0; i < wanted; ++i) std::memcpy(&bytes[(i + 1) * step], text, sizeof text);

  korvana::image::HandsetImage image;
  std::size_t shown = 0;
  std::string counter;
  image.Assign(bytes, "bench.bin");
  const double terminated = TimeAllClicks(image, shown, counter);
  const double size = static_cast<double>(bytes.size()) / (1 << 20);
  std::printf("image %zu MiB, %zu texts in random data: %zu shown, counter %s\n", mib, wanted, shown, counter.c_str());
  std::printf("  all clicks: %.1f ms  %.0f MiB/s\n", terminated * 1e3, size / terminated);

  std::replace(bytes.begin(), bytes.end(), std::uint8_t{0}, std::uint8_t{1});
  image.Assign(bytes, "bench.bin");
  const double unterminated = TimeAllClicks(image, shown, counter);
  std::printf("same image without zero bytes: %zu shown, counter %s\n", shown, counter.c_str());
  std::printf("  all clicks: %.1f ms  %.0f MiB/s\n", unterminated * 1e3, size / unterminated);
  return 0;
}
