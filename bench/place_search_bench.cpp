// The tool windows' searches over a firmware-sized image: the stored form of
// a tone address and a picture record, each placed a few times into random
// content, and the worst case of an address that is everywhere: 1 MiB of
// zeros, where every index but 0 is a place.
//
//   place_search_bench [MiB]

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

#include "image/handset_image.h"
#include "tools/place_search.h"

namespace {
double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

template <typename Search>
void Measure(const char* what, std::size_t bytes, Search search) {
  double best = 1e9;
  int rows = 0;
  for (int round = 0; round < 5; ++round) {
    korvana::tools::PlaceList places;
    const auto t = std::chrono::steady_clock::now();
    (void)search(places);
    best = std::min(best, Seconds(t));
    rows = places.RowCount();
  }
  std::printf("%-28s %6d places  %8.1f ms  %6.0f MiB/s\n", what, rows, best * 1e3,
              static_cast<double>(bytes) / (1 << 20) / best);
}
// Every place is listed, so the zeros image is kept small: its list has a
// row for each of its bytes.
constexpr std::size_t kZerosBytes = std::size_t{1} << 20;
}  // namespace

int main(int argc, char** argv) {
  const std::size_t mib = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 64;
  std::vector<std::uint8_t> bytes(mib << 20);
  std::mt19937 rng(11);
  for (auto& b : bytes) b = static_cast<std::uint8_t>(rng());
  const std::uint8_t address[] = {0x56, 0x34, 0x12, 0x00};
  const std::uint8_t record[] = {0x80, 0x00, 0xA0, 0x00, 0xC4, 0xB2, 0xA1, 0x00};
  for (std::size_t i = 1; i <= 20; ++i) {
    std::memcpy(&bytes[i * (bytes.size() / 42)], address, sizeof address);
    std::memcpy(&bytes[(i + 21) * (bytes.size() / 42)], record, sizeof record);
  }
  korvana::image::HandsetImage image;
  image.Assign(bytes, "bench.bin");
  korvana::image::HandsetImage zeros;
  zeros.Assign(std::vector<std::uint8_t>(kZerosBytes, 0), "zeros.bin");

  std::printf("image %zu MiB\n", mib);
  Measure("address 00123456", bytes.size(),
          [&](auto& places) { return korvana::tools::FindAddressPlaces(image, "00123456", places, {}); });
  Measure("picture record 128*160", bytes.size(), [&](auto& places) {
    return korvana::tools::FindPictureRecordPlaces(image, "00A1B2C4", "128*160", places, {});
  });
  Measure("00000000 in 1 MiB of zeros", kZerosBytes,
          [&](auto& places) { return korvana::tools::FindAddressPlaces(zeros, "00000000", places, {}); });
  return 0;
}
