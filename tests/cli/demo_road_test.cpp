// The demonstration firmware on the command line: the demo command writes
// the image and its sample files, and those files go through the commands.
// What the generator laid into the image is pinned by the demo's core tests.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "demo/demo_firmware.h"
#include "image/hex.h"
#include "support/cli_expect.h"

namespace korvana::test {
namespace {

std::size_t LineCount(const std::string& text) {
  return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

struct DemoRoad : ::testing::Test {
  TempDir dir;
  const demo::DemoFirmware demo = demo::BuildDemoFirmware();
  std::string In(const std::string& name) const { return dir.Path("demo/" + name); }
};

TEST_F(DemoRoad, TheDemoWritesItsFilesAndOpensWithItsVersion) {
  const std::string out = CliOut({"demo", dir.Path("demo")});
  ASSERT_EQ(LineCount(out), 3 + demo.files.size());
  EXPECT_TRUE(out.starts_with(In("demo.bin") + "\n"));
  for (const auto& file : demo.files) {
    EXPECT_NE(out.find(In(file.name) + "\n"), std::string::npos) << file.name;
    EXPECT_EQ(ReadBytes(In(file.name)), file.bytes) << file.name;
  }
  EXPECT_EQ(ReadBytes(In("demo.bin")), demo.image);
  EXPECT_EQ(CliOut({"info", In("demo.bin")}), "size\t4194304\nversion\tDEMO1.00\n");
}

TEST_F(DemoRoad, TheSampleFilesGoThroughTheCommands) {
  CliOut({"demo", dir.Path("demo")});
  EXPECT_EQ(LineCount(CliOut({"tones", "table", In("demo-toene.txt")})), demo.tones.size());
  EXPECT_EQ(CliOut({"tones", "scan", In("demo.bin")}).substr(0, 14), "001\t0x" + image::HexPad(demo.tones[0].start, 8));
  EXPECT_EQ(LineCount(CliOut({"pictures", "list", In("demo-bilder.txt")})), demo.pictures.size());
  std::size_t frames = 0;
  for (const auto& p : demo.pictures) frames += p.frames.size();
  std::filesystem::create_directories(dir.Path("bmp"));
  EXPECT_EQ(LineCount(CliOut({"pictures", "export", In("demo.bin"), In("demo-bilder.txt"), dir.Path("bmp")})), frames);
  EXPECT_EQ(FilesIn(dir.Path("bmp")).size(), frames);

  // The night picture lies on its side: refused as it is, taken after a quarter turn.
  const std::vector<std::string> night{"pictures", "replace", In("demo.bin"), In("demo-bilder.txt"), "003", "1",
                                       In("bmp/Abendrot-Nacht-gedreht.bmp"), "--s3", dir.Path("night.s3")};
  EXPECT_TRUE(CliFails(night, 1));
  std::vector<std::string> turned = night;
  turned.insert(turned.end(), {"--turn", "cw"});
  EXPECT_EQ(CliOut(turned), "");
  EXPECT_NE(ReadText(dir.Path("night.s3")).find(image::HexPad(demo.pictures[2].address, 8)), std::string::npos);
  // A tone longer than its place needs --yes.
  const std::vector<std::string> longer{"tones", "replace", In("demo.bin"), "001=" + In("mmf/laenger.mmf"), "--s3",
                                        dir.Path("long.s3")};
  EXPECT_TRUE(CliFails(longer, 1));
  std::vector<std::string> yes = longer;
  yes.push_back("--yes");
  EXPECT_EQ(CliOut(yes), "");
}

}  // namespace
}  // namespace korvana::test
