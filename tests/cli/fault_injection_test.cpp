// Every writer run under the fault shim (tests/fault/fault_shim.c): a full
// disk (at once and after a few bytes), a read-only target folder, a target
// folder that disappears just before the file is created, a failing fsync
// and a failing rename. Each must fail with its message, leave the file that was there
// before byte for byte, and leave nothing beside it.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "app/message_table.h"
#include "image/outcome.h"
#include "pictures/encoder_test_support.h"
#include "support/test_support.h"
#include "support/tone_images.h"

namespace korvana::test {
namespace {

namespace fs = std::filesystem;
using Snapshot = std::map<std::string, std::vector<std::uint8_t>>;

// The placeholders in a writer's arguments.
constexpr const char* kIn = "@IN/";    // the folder of the inputs
constexpr const char* kOut = "@OUT/";  // the target folder, where faults strike

struct Writer {
  const char* name;
  std::vector<std::string> args;  // korvana-cli arguments, or the probe's after "probe"
  int message;                    // expected on failure; 0: the writer fails silently
  bool imageInOut = false;        // the writer saves the firmware, which lies in the target folder
};

struct Fault {
  const char* name;
  std::vector<std::string> environment;
};

std::vector<Writer> Writers() {
  return {
      {"saved image (addr set)", {"addr", "set", "@OUT/fw.bin", "0x200", "2000"}, msg::kFileError, true},
      {"saved image (tones replace --write)", {"tones", "replace", "@OUT/fw.bin", "001=@IN/b.mmf", "--write"},
       msg::kFileError, true},
      {"saved image (strings replace --write)",
       {"strings", "replace", "@OUT/fw.bin", "0x100", "103", "abcd", "--write"}, msg::kFileError, true},
      {"saved image (pictures replace --write)",
       {"pictures", "replace", "@OUT/fw.bin", "@IN/table.txt", "001", "2", "@IN/new.bmp", "--write"}, msg::kFileError,
       true},
      {"tone patch", {"tones", "replace", "@IN/fw.bin", "001=@IN/b.mmf", "--s3", "@OUT/p.s3"}, msg::kFileError},
      {"string patch", {"strings", "replace", "@IN/fw.bin", "100", "103", "abcd", "--s3", "@OUT/p.s3"},
       msg::kS3WriteError},
      {"picture patch", {"pictures", "s3", "@IN/fw.bin", "@IN/table.txt", "@OUT/p.s3", "001"}, msg::kFileError},
      {"picture patch (pictures replace --s3)",
       {"pictures", "replace", "@IN/fw.bin", "@IN/table.txt", "001", "1", "@IN/new.bmp", "--s3", "@OUT/p.s3"},
       msg::kFileError},
      {"offset change patch", {"addr", "patch", "2000", "00A00000", "1000", "@OUT/p.s3"}, msg::kFileError},
      {"picture offset patch", {"addr", "picture-patch", "2000", "00A00000", "@OUT/p.s3"}, msg::kFileError},
      {"exported tones", {"tones", "export", "@IN/fw.bin", "@OUT/ring.mmf", "001", "002"}, msg::kFileError},
      {"exported pictures", {"pictures", "export", "@IN/fw.bin", "@IN/table.txt", "@OUT", "001"}, msg::kFileError},
      {"tone table", {"tones", "scan", "@IN/fw.bin", "--table", "@OUT/t.txt"}, msg::kFileError},
      {"picture table", {"probe", "picture-table", "@OUT/p.txt", "3"}, msg::kFileError},
      {"converter bin2s3", {"bin2s3", "@IN/fw.bin", "@OUT/o.s3"}, msg::kFileError},
      {"converter s32bin", {"s32bin", "@IN/in.s3", "@OUT/o.bin"}, msg::kFileError},
      {"settings", {"probe", "settings", "@OUT/KORVANA.ini", "Path", "mmfFilePath", "/home/new"}, 0},
  };
}

std::vector<Fault> Faults(const std::string& out) {
  return {
      {"disk full", {"KORVANA_FAULT=disk-full", "KORVANA_FAULT_BYTES=0"}},
      {"disk full after 10 bytes", {"KORVANA_FAULT=disk-full", "KORVANA_FAULT_BYTES=10"}},
      {"read-only folder", {"KORVANA_FAULT=read-only", "KORVANA_FAULT_DIR=" + out}},
      {"folder vanishes", {"KORVANA_FAULT=vanish", "KORVANA_FAULT_DIR=" + out}},
      {"fsync fails", {"KORVANA_FAULT=fsync"}},
      {"rename fails", {"KORVANA_FAULT=rename"}},
  };
}

Snapshot Take(const std::string& folder) {
  Snapshot s;
  if (!fs::exists(folder)) return s;
  for (const auto& name : FilesIn(folder)) s[name] = ReadBytes(folder + "/" + name);
  return s;
}

std::string Replace(std::string arg, const std::string& in, const std::string& out) {
  for (const auto& [mark, folder] : {std::pair<std::string, std::string>{kIn, in + "/"}, {kOut, out + "/"}}) {
    if (arg.starts_with(mark)) arg = folder + arg.substr(mark.size());
  }
  if (arg == "@OUT") arg = out;
  for (auto at = arg.find("=@IN/"); at != std::string::npos; at = arg.find("=@IN/")) {
    arg.replace(at + 1, 4, in + "/");
  }
  return arg;
}

CommandResult RunWriter(const Writer& w, const std::string& in, const std::string& out,
                  std::vector<std::string> environment) {
  std::vector<std::string> args;
  for (const auto& a : w.args) args.push_back(Replace(a, in, out));
  if (args.front() == "probe") {
    args.erase(args.begin());
    return RunProgram(environment, KORVANA_FAULT_PROBE, args);
  }
  return RunCliWith(environment, args);
}

void MakeInputs(const std::string& in) {
  fs::create_directories(in);
  WriteBytes(in + "/fw.bin", ImageWithRealTones());
  WriteBytes(in + "/b.mmf", RealTone("b.mmf"));
  WriteText(in + "/table.txt",
            "001 Anim\t 0X00000010\t Zahl: 2\t Size: 4\t Dims: 2*2\t Farb: 8\t\r\n"
            "002 Nib\t 0X00000080\t Zahl: 1\t Size: 1\t Dims: 2*1\t Farb: 4\t\r\n");
  WriteBytes(in + "/new.bmp", pictures::bmptest::Bmp24Of(2, 2, pictures::bmptest::Scattered));  // for row 001
  WriteText(in + "/in.s3", "S00600004844521B\r\nS3080000002030313244\r\nS705A002000058\r\n");
}

class FaultInjection : public ::testing::TestWithParam<int> {};

TEST_P(FaultInjection, TheWriterFailsWithItsMessageAndTheOldFileStays) {
  const Writer w = Writers()[static_cast<std::size_t>(GetParam())];
  SCOPED_TRACE(w.name);
  TempDir dir;
  const std::string in = dir.Path("in");
  const std::string out = dir.Path("out");
  MakeInputs(in);
  for (const Fault& fault : Faults(out)) {
    SCOPED_TRACE(fault.name);
    fs::remove_all(out);
    fs::remove_all(out + ".gone");
    fs::create_directories(out);
    if (w.imageInOut) {
      fs::copy_file(in + "/fw.bin", out + "/fw.bin");
    } else {
      // The writer's own files first, then each made recognisably old, so
      // that a write which got through would show.
      const CommandResult first = RunWriter(w, in, out, {});
      ASSERT_EQ(first.status, 0) << first.err;
      ASSERT_FALSE(FilesIn(out).empty());
      for (const auto& name : FilesIn(out)) WriteText(out + "/" + name, "the previous " + name + "\r\n");
    }
    const Snapshot before = Take(out);

    std::vector<std::string> environment = fault.environment;
    environment.push_back(std::string("LD_PRELOAD=") + KORVANA_FAULT_SHIM);
    environment.push_back("ASAN_OPTIONS=verify_asan_link_order=0:detect_leaks=1");
    const CommandResult r = RunWriter(w, in, out, environment);

    if (w.message == 0) {
      EXPECT_EQ(r.status, 0) << r.err;
      EXPECT_EQ(r.err, "");
    } else {
      EXPECT_EQ(r.status, 1) << r.err;
      EXPECT_EQ(r.err.rfind(std::string(app::MessageText(w.message)), 0), 0u) << r.err;
    }
    std::cout << "[fault] " << w.name << " | " << fault.name << " | " << r.err.substr(0, r.err.find('\n')) << '\n';
    // The old files exactly as they were (in the moved folder when it
    // vanished), and nothing else: no temporary, no partial file.
    const bool vanished = fault.name == std::string("folder vanishes");
    EXPECT_EQ(Take(vanished ? out + ".gone" : out), before);
    if (vanished) EXPECT_FALSE(fs::exists(out));
  }
}

INSTANTIATE_TEST_SUITE_P(EveryWriter, FaultInjection, ::testing::Range(0, static_cast<int>(Writers().size())));

// A large conversion takes its disk space at once and hands each written
// piece to the disk early. Both are hints only: neither the shim without a
// fault nor failing hints may change the file.
TEST(FaultInjection, NeitherTheShimNorFailingHintsChangeTheFile) {
  TempDir dir;
  // 3 MiB of bin make some 9 MiB of S-records: two whole pieces and a tail.
  std::vector<std::uint8_t> bin(std::size_t{3} << 20);
  for (std::size_t i = 0; i < bin.size(); ++i) bin[i] = static_cast<std::uint8_t>(i * 7 + i / 251);
  WriteBytes(dir.Path("in.bin"), bin);
  ASSERT_EQ(RunCli({"bin2s3", dir.Path("in.bin"), dir.Path("plain.s3")}).status, 0);
  const std::string expected = ReadText(dir.Path("plain.s3"));
  for (const char* fault : {"", "hints"}) {
    SCOPED_TRACE(fault);
    fs::remove_all(dir.Path("out"));
    fs::create_directories(dir.Path("out"));
    const CommandResult r = RunCliWith({std::string("KORVANA_FAULT=") + fault, "KORVANA_FAULT_TALLY=" + dir.Path("tally"),
                                        std::string("LD_PRELOAD=") + KORVANA_FAULT_SHIM,
                                        "ASAN_OPTIONS=verify_asan_link_order=0"},
                                       {"bin2s3", dir.Path("in.bin"), dir.Path("out/o.s3")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(FilesIn(dir.Path("out")), std::vector<std::string>{"o.s3"});
    EXPECT_TRUE(ReadText(dir.Path("out/o.s3")) == expected);
    EXPECT_EQ(ReadText(dir.Path("tally")), "sync_file_range 2 fallocate 1\n");
  }
}

}  // namespace
}  // namespace korvana::test
