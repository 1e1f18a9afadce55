// bin -> S-record and back through the built korvana-cli, against srec_cat
// and objcopy on the same file, timed as whole processes (start, read,
// convert, write, exit) as a user running them would see it.
//
//   srecord_bench [MiB] [rounds]
//
// korvana-cli is taken from the folder of this executable; srec_cat and
// objcopy from PATH. The S-record input of the second direction is the file
// korvana-cli wrote (16 data bytes a line, as objcopy writes), for all three.

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "image/atomic_file.h"
#include "image/file_read.h"

namespace {
namespace fs = std::filesystem;

// Wall-clock seconds of one run of argv, or a negative value when it fails.
double RunTimed(const std::vector<std::string>& argv) {
  std::vector<char*> args;
  for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  const auto start = std::chrono::steady_clock::now();
  const pid_t pid = ::fork();
  if (pid == 0) {
    std::freopen("/dev/null", "w", stderr);
    ::execvp(args[0], args.data());
    std::_Exit(127);
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? seconds : -1;
}

double Best(const std::vector<std::string>& argv, int rounds) {
  double best = 1e9;
  for (int r = 0; r < rounds; ++r) {
    const double t = RunTimed(argv);
    if (t < 0) {
      std::fprintf(stderr, "failed: %s\n", argv[0].c_str());
      std::exit(1);
    }
    best = std::min(best, t);
  }
  return best;
}

bool SameFile(const fs::path& a, const fs::path& b) {
  return korvana::image::ReadWholeFile(a.string()).bytes == korvana::image::ReadWholeFile(b.string()).bytes;
}

struct Row {
  const char* tool;
  double seconds;
};

void Print(const char* direction, double mib, const std::vector<Row>& rows) {
  std::printf("%s\n", direction);
  for (const Row& r : rows) std::printf("  %-12s %8.3f s  %7.1f MiB/s\n", r.tool, r.seconds, mib / r.seconds);
  const double fastestOther = std::min(rows[1].seconds, rows[2].seconds);
  std::printf("  korvana-cli is %.1fx faster than the faster of srec_cat and objcopy\n", fastestOther / rows[0].seconds);
}
}  // namespace

int main(int argc, char** argv) {
  const std::size_t mib = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 32;
  const int rounds = argc > 2 ? std::atoi(argv[2]) : 3;
  const std::string cli = (fs::canonical("/proc/self/exe").parent_path() / "korvana-cli").string();
  if (!fs::exists(cli)) {
    std::fprintf(stderr, "build korvana-cli beside this benchmark first: %s\n", cli.c_str());
    return 1;
  }
  const fs::path dir = fs::temp_directory_path() / ("srecord-bench-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  auto path = [&](const char* name) { return (dir / name).string(); };

  std::vector<std::uint8_t> bytes(mib << 20);
  std::mt19937 rng(42);
  for (auto& b : bytes) b = static_cast<std::uint8_t>(rng());
  if (!korvana::image::WriteFileAtomically(path("in.bin"), bytes)) return 1;

  const std::vector<Row> toS3{
      {"korvana-cli", Best({cli, "bin2s3", path("in.bin"), path("ours.s3")}, rounds)},
      {"srec_cat", Best({"srec_cat", path("in.bin"), "-binary", "-o", path("srec_cat.s3"), "-motorola",
                         "-address-length=4"}, rounds)},
      {"objcopy", Best({"objcopy", "-I", "binary", "-O", "srec", "--srec-forceS3", path("in.bin"), path("objcopy.s3")},
                       rounds)}};
  const std::vector<Row> toBin{
      {"korvana-cli", Best({cli, "s32bin", path("ours.s3"), path("ours.bin")}, rounds)},
      {"srec_cat", Best({"srec_cat", path("ours.s3"), "-motorola", "-o", path("srec_cat.bin"), "-binary"}, rounds)},
      {"objcopy", Best({"objcopy", "-I", "srec", "-O", "binary", path("ours.s3"), path("objcopy.bin")}, rounds)}};

  const bool same = SameFile(path("in.bin"), path("ours.bin")) && SameFile(path("in.bin"), path("srec_cat.bin")) &&
                    SameFile(path("in.bin"), path("objcopy.bin"));
  std::printf("%zu MiB random bin, S-record file %.1f MiB, best of %d runs, round trip %s\n", mib,
              static_cast<double>(fs::file_size(path("ours.s3"))) / (1 << 20), rounds,
              same ? "identical for all three" : "DIFFERS");
  Print("bin -> S-record", static_cast<double>(mib), toS3);
  Print("S-record -> bin", static_cast<double>(mib), toBin);
  fs::remove_all(dir);
  return same ? 0 : 1;
}
