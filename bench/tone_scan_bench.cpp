// The whole-process tone scan against grep on the same image:
//   korvana-cli tones scan FW        (load, scan, print the list)
//   grep -c -a -F MMMD FW            (one pass for the magic)
// on a 64 MiB image of random bytes with a few hundred SMAF tones in it.
// The two commands run alternately several times; the best wall time of
// each counts.
//
//   tone_scan_bench [MiB] [tones] [runs]

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "image/atomic_file.h"

extern char** environ;

namespace {
namespace fs = std::filesystem;

// Wall time of one run of args, its standard output going to outPath.
double RunTimed(const std::vector<std::string>& args, const std::string& outPath) {
  std::vector<char*> argv;
  for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  const auto start = std::chrono::steady_clock::now();
  pid_t pid = 0;
  if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
    std::fprintf(stderr, "cannot start %s\n", argv[0]);
    std::exit(1);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  posix_spawn_file_actions_destroy(&actions);
  if (!WIFEXITED(status) || WEXITSTATUS(status) > 1) {
    std::fprintf(stderr, "%s failed\n", argv[0]);
    std::exit(1);
  }
  return seconds;
}

std::size_t LinesIn(const std::string& path) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  std::size_t lines = 0;
  for (int c; f != nullptr && (c = std::fgetc(f)) != EOF;) lines += c == '\n';
  if (f != nullptr) std::fclose(f);
  return lines;
}
}  // namespace

int main(int argc, char** argv) {
  const std::size_t mib = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 64;
  const std::size_t tones = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 300;
  const int runs = argc > 3 ? std::atoi(argv[3]) : 7;
  const std::string cli = (fs::canonical("/proc/self/exe").parent_path() / "korvana-cli").string();
  const fs::path dir = fs::temp_directory_path() / ("korvana-tone-bench-" + std::to_string(getpid()));
  fs::create_directories(dir);
  const std::string image = (dir / "fw.bin").string();
  const std::string out = (dir / "out.txt").string();

  // Random bytes stand for code and data: "M" is as common as any byte, so
  // the search meets a candidate every 256 bytes on average.
  std::vector<std::uint8_t> bytes(mib << 20);
  std::mt19937 rng(11);
  for (auto& b : bytes) b = static_cast<std::uint8_t>(rng());
  const std::size_t stride = bytes.size() / (tones + 1);
  for (std::size_t i = 0; i < tones; ++i) {
    const std::uint32_t length = 1000 + static_cast<std::uint32_t>(rng() % 20000);
    const std::uint8_t header[8] = {'M', 'M', 'M', 'D', static_cast<std::uint8_t>(length >> 24),
                                    static_cast<std::uint8_t>(length >> 16), static_cast<std::uint8_t>(length >> 8),
                                    static_cast<std::uint8_t>(length)};
    std::memcpy(&bytes[(i + 1) * stride], header, sizeof header);
  }
  if (!korvana::image::WriteFileAtomically(image, bytes)) {
    std::fprintf(stderr, "cannot write %s\n", image.c_str());
    return 1;
  }

  double bestScan = 1e9;
  double bestGrep = 1e9;
  for (int r = 0; r < runs; ++r) {
    bestScan = std::min(bestScan, RunTimed({cli, "tones", "scan", image}, out));
    bestGrep = std::min(bestGrep, RunTimed({"grep", "-c", "-a", "-F", "MMMD", image}, out));
  }
  RunTimed({cli, "tones", "scan", image}, out);
  std::printf("image %zu MiB with %zu tones; korvana-cli listed %zu\n", mib, tones, LinesIn(out));
  std::printf("korvana-cli tones scan: %.1f ms\n", bestScan * 1e3);
  std::printf("grep -c -a -F MMMD:     %.1f ms\n", bestGrep * 1e3);
  std::printf("ratio: %.2fx (goal: 1.5x or less)\n", bestScan / bestGrep);
  fs::remove_all(dir);
  return 0;
}
