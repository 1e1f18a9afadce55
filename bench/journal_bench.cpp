// The change journal under many small changes, and the two whole-image
// patches: 10,000 changes of 1..64 bytes at spread positions, four to a
// step as "bin Exp." writes its strings, on a 64 MiB image. Prints the
// journal's memory against the bytes changed, the time of the patch of all
// changes, and the time of diff between two 64 MiB images (a few scattered
// differences, and every byte different).
//
//   journal_bench [MiB] [changes]

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "image/byte_diff.h"
#include "image/handset_image.h"
#include "image/image_patch.h"

namespace {
double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// The best of five runs, in milliseconds.
double BestMs(const std::function<void()>& run) {
  double best = 1e9;
  for (int r = 0; r < 5; ++r) {
    const auto t = std::chrono::steady_clock::now();
    run();
    best = std::min(best, Seconds(t));
  }
  return best * 1e3;
}
}  // namespace

int main(int argc, char** argv) {
  using korvana::Address;
  using korvana::Length;
  namespace image = korvana::image;
  const std::size_t mib = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 64;
  const std::size_t changes = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 10000;
  constexpr std::size_t kChangesPerStep = 4;

  std::vector<std::uint8_t> loaded(mib << 20);
  std::mt19937 rng(7);
  for (auto& b : loaded) b = static_cast<std::uint8_t>(rng());
  image::HandsetImage img;
  img.Assign(loaded, "bench.bin");

  std::size_t bytesChanged = 0;
  const std::size_t spacing = loaded.size() / changes;
  std::vector<std::uint8_t> data(64);
  const auto recordStart = std::chrono::steady_clock::now();
  for (std::size_t i = 0; i < changes; i += kChangesPerStep) {
    image::ChangeStep step(img);
    for (std::size_t k = i; k < std::min(changes, i + kChangesPerStep); ++k) {
      const std::size_t count = 1 + rng() % 64;
      for (auto& b : data) b = static_cast<std::uint8_t>(rng());
      const auto at = static_cast<Address>(k * spacing + rng() % (spacing - 64));
      // Half the steps are strings, labelled with their address; half tones.
      const std::string tone = "Ton " + std::to_string(100 + k % 900);
      const image::ChangeLabel label = (i / kChangesPerStep) % 2 == 0 ? image::ChangeLabel{"String", true}
                                                                        : image::ChangeLabel{tone};
      if (!img.CopyIntoImage(data, at, static_cast<Length>(count), label).ok) return 1;
      bytesChanged += count;
    }
  }
  const double recordMs = Seconds(recordStart) * 1e3;
  const std::size_t memory = img.Journal().MemoryBytes();
  std::printf("image %zu MiB, %zu changes in %zu steps, %zu bytes changed (recorded in %.1f ms)\n", mib,
              img.Journal().ChangeCount(), img.Journal().StepCount(), bytesChanged, recordMs);
  std::printf("journal memory: %zu bytes = %.2fx the bytes changed (goal: within 2x)\n", memory,
              static_cast<double>(memory) / static_cast<double>(bytesChanged));

  const std::string patch = (std::filesystem::temp_directory_path() / "korvana_journal_bench.s3").string();
  std::size_t ranges = 0;
  const double rangesMs = BestMs([&] { ranges = img.ChangedRanges().size(); });
  const double patchMs = BestMs([&] {
    if (!image::WriteAllChangesS3(img, patch).ok) std::exit(1);
  });
  std::printf("patch of all changes: %zu ranges, %ju bytes of file; ranges %.2f ms, with the file %.2f ms "
              "(best of 5; goal: under 50 ms)\n",
              ranges, static_cast<std::uintmax_t>(std::filesystem::file_size(patch)), rangesMs, patchMs);

  const auto now = img.Bytes();
  const double diffMs = BestMs([&] { ranges = image::DifferingRanges(loaded, now).size(); });
  std::printf("diff of two %zu MiB images, %zu ranges: %.1f ms  %.0f MiB/s\n", mib, ranges, diffMs,
              static_cast<double>(mib) / diffMs * 1e3);
  std::vector<korvana::AddressRange> found;
  const double diffFileMs = BestMs([&] {
    if (!image::WriteImageDiffS3(loaded, now, patch, found).ok) std::exit(1);
  });
  std::printf("diff with its patch file: %.1f ms\n", diffFileMs);

  std::vector<std::uint8_t> other(loaded.size());
  for (auto& b : other) b = static_cast<std::uint8_t>(rng());
  const double allMs = BestMs([&] { ranges = image::DifferingRanges(loaded, other).size(); });
  std::printf("diff of two unrelated %zu MiB images, %zu ranges: %.1f ms  %.0f MiB/s\n", mib, ranges, allMs,
              static_cast<double>(mib) / allMs * 1e3);
  std::filesystem::remove(patch);
  return 0;
}
