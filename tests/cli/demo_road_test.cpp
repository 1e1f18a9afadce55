// The demo command writes the image and its sample files; their contents are the demo core tests'.

#include <gtest/gtest.h>

#include <algorithm>

#include "demo/demo_firmware.h"
#include "support/cli_expect.h"

namespace korvana::test {
namespace {

std::size_t LineCount(const std::string& text) { return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')); }

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

// The sample files serve the tour: the night picture lies on its side, a tone is longer than its place.
TEST_F(DemoRoad, TheSampleFilesShowTheRefusalsOfTheTour) {
  CliOut({"demo", dir.Path("demo")});
  std::vector<std::string> night{"pictures", "replace", In("demo.bin"), In("demo-bilder.txt"), "003", "1",
                                 In("bmp/Abendrot-Nacht-gedreht.bmp"), "--s3", dir.Path("night.s3")};
  std::vector<std::string> longer{"tones", "replace", In("demo.bin"), "001=" + In("mmf/laenger.mmf"), "--s3",
                                  dir.Path("long.s3")};
  EXPECT_TRUE(CliFails(night, 1));
  EXPECT_TRUE(CliFails(longer, 1));
  night.insert(night.end(), {"--turn", "cw"});
  longer.push_back("--yes");
  EXPECT_EQ(CliOut(night), "");
  EXPECT_EQ(CliOut(longer), "");
}

}  // namespace
}  // namespace korvana::test
