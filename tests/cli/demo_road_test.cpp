// The whole road of the command line on the demonstration firmware: what the
// generator laid into the image is what the commands find, export and patch.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "demo/demo_firmware.h"
#include "image/hex.h"
#include "support/test_support.h"

namespace korvana::test {
namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t from = 0;
  for (std::size_t at; (at = text.find('\n', from)) != std::string::npos; from = at + 1) {
    lines.push_back(text.substr(from, at - from));
  }
  return lines;
}

std::string Hex8(std::int64_t v) { return image::HexPad(v, 8); }

// One demo for the suite: the commands that change a file work on copies.
class DemoRoad : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    shared = new TempDir;
    made = new CommandResult(RunCli({"demo", shared->Path("demo")}));
  }
  static void TearDownTestSuite() {
    delete made;
    delete shared;
  }
  void SetUp() override {
    ASSERT_EQ(made->status, 0) << made->err;
    written = Lines(made->out);
  }
  [[nodiscard]] static std::string In(const std::string& name) { return shared->Path("demo/" + name); }
  // A copy of the image for a command that writes into it.
  [[nodiscard]] std::string ImageCopy() const {
    const std::string copy = dir.Path("demo.bin");
    std::filesystem::copy_file(In("demo.bin"), copy);
    return copy;
  }

  static inline TempDir* shared = nullptr;
  static inline CommandResult* made = nullptr;
  TempDir dir;
  std::vector<std::string> written;
  const demo::DemoFirmware& demo = Demo();

 private:
  static const demo::DemoFirmware& Demo() {
    static const demo::DemoFirmware built = demo::BuildDemoFirmware();
    return built;
  }
};

TEST_F(DemoRoad, TheDemoWritesItsFilesAndOpensWithItsVersion) {
  ASSERT_EQ(written.size(), 3 + demo.files.size());
  EXPECT_EQ(written[0], In("demo.bin"));
  for (const auto& file : demo.files) {
    EXPECT_NE(std::find(written.begin(), written.end(), In(file.name)), written.end()) << file.name;
    EXPECT_EQ(ReadBytes(In(file.name)), file.bytes) << file.name;
  }
  EXPECT_EQ(ReadBytes(In("demo.bin")), demo.image);
  EXPECT_EQ(RunCli({"info", In("demo.bin")}).out, "size\t4194304\nversion\tDEMO1.00\n");
  // A second run writes the same bytes.
  ASSERT_EQ(RunCli({"demo", dir.Path("again")}).status, 0);
  EXPECT_EQ(ReadBytes(dir.Path("again/demo.bin")), demo.image);
  EXPECT_EQ(ReadText(dir.Path("again/demo-bilder.txt")), ReadText(In("demo-bilder.txt")));
}

TEST_F(DemoRoad, ScanFindsTheTonesTheTableListsThemAndTheAddressToolsTheirCopies) {
  const CommandResult scan = RunCli({"tones", "scan", In("demo.bin")});
  ASSERT_EQ(scan.status, 0) << scan.err;
  const auto rows = Lines(scan.out);
  ASSERT_EQ(rows.size(), demo.tones.size());
  const auto table = Lines(RunCli({"tones", "table", In("demo-toene.txt")}).out);
  ASSERT_EQ(table.size(), demo.tones.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const auto& t = demo.tones[i];
    const std::string expected = "00" + std::to_string(i + 1) + "\t0x" + Hex8(t.start) + "\t0x" +
                                 Hex8(t.start + t.size - 1) + "\t" + std::to_string(t.size);
    EXPECT_EQ(rows[i], expected);
    EXPECT_EQ(table[i], expected + "\t" + t.note);
    const CommandResult places = RunCli({"addr", "find", In("demo.bin"), Hex8(t.start)});
    EXPECT_EQ(places.out, "01\t0x" + Hex8(t.pointerPlace) + "\n02\t0x" + Hex8(t.entryPlace) + "\n");
  }
}

TEST_F(DemoRoad, ATonePatchAndATonePutIntoTheImage) {
  const demo::DemoTone& tone = demo.tones[0];
  // Longer than tone 001: refused without --yes, cut to the tone with it.
  const CommandResult refused = RunCli({"tones", "replace", In("demo.bin"), "001=" + In("mmf/laenger.mmf"), "--s3",
                                        dir.Path("long.s3")});
  EXPECT_EQ(refused.status, 1);
  EXPECT_FALSE(std::filesystem::exists(dir.Path("long.s3")));
  ASSERT_EQ(RunCli({"tones", "replace", In("demo.bin"), "001=" + In("mmf/laenger.mmf"), "--s3", dir.Path("long.s3"),
                    "--yes"})
                .status,
            0);
  const std::string patch = ReadText(dir.Path("long.s3"));
  EXPECT_NE(patch.find("S3"), std::string::npos);
  // The patch's first data record starts at the tone.
  EXPECT_NE(patch.find(Hex8(tone.start)), std::string::npos);

  // Equal size: written into the image, where the scan still finds the tone.
  const std::string copy = ImageCopy();
  ASSERT_EQ(RunCli({"tones", "replace", copy, "001=" + In("mmf/gleich.mmf"), "--write"}).status, 0);
  const auto image = ReadBytes(copy);
  const auto equal = ReadBytes(In("mmf/gleich.mmf"));
  EXPECT_TRUE(std::equal(equal.begin(), equal.end(), image.begin() + tone.start));
  EXPECT_EQ(Lines(RunCli({"tones", "scan", copy}).out).size(), demo.tones.size());
}

TEST_F(DemoRoad, StringsAreFoundInBothFormsAndAReplacementBecomesAPatch) {
  for (const auto& s : demo.strings) {
    std::vector<std::string> args{"strings", "find", In("demo.bin"), s.text};
    if (s.encoding == strings::StringEncoding::kChinese) args.emplace_back("--chinese");
    const auto hits = Lines(RunCli(args).out);
    ASSERT_FALSE(hits.empty()) << s.text;
    EXPECT_EQ(hits[0].substr(0, 17), Hex8(s.start) + "\t" + Hex8(s.start + s.byteLength - 1)) << s.text;
  }
  const auto& welcome = demo.strings[0];
  ASSERT_EQ(RunCli({"strings", "replace", In("demo.bin"), Hex8(welcome.start),
                    Hex8(welcome.start + welcome.byteLength - 1), "Hallo", "--s3", dir.Path("text.s3")})
                .status,
            0);
  EXPECT_NE(ReadText(dir.Path("text.s3")).find("48616C6C6F20"), std::string::npos);  // "Hallo" and a blank
}

TEST_F(DemoRoad, EveryPictureExportsAndTheAnimationBecomesAPatch) {
  const CommandResult listed = RunCli({"pictures", "list", In("demo-bilder.txt")});
  ASSERT_EQ(Lines(listed.out).size(), demo.pictures.size());
  std::filesystem::create_directories(dir.Path("bmp"));
  const CommandResult exported = RunCli({"pictures", "export", In("demo.bin"), In("demo-bilder.txt"), dir.Path("bmp")});
  ASSERT_EQ(exported.status, 0) << exported.err;
  std::size_t frames = 0;
  for (const auto& p : demo.pictures) frames += p.frames.size();
  EXPECT_EQ(Lines(exported.out).size(), frames);
  EXPECT_EQ(FilesIn(dir.Path("bmp")).size(), frames);

  const demo::DemoPicture& spinner = demo.pictures[5];
  ASSERT_EQ(RunCli({"pictures", "s3", In("demo.bin"), In("demo-bilder.txt"), dir.Path("spinner.s3"), "006"}).status, 0);
  EXPECT_NE(ReadText(dir.Path("spinner.s3")).find(Hex8(spinner.address)), std::string::npos);
  const CommandResult record =
      RunCli({"addr", "pictures", In("demo.bin"), Hex8(spinner.address), "40*40"});
  EXPECT_EQ(record.out, "01\t0x" + Hex8(spinner.recordPlace) + "\n");
}

TEST_F(DemoRoad, PictureFramesAreReplacedInPlaceAndPatched) {
  const std::string copy = ImageCopy();
  const std::string table = In("demo-bilder.txt");
  const demo::DemoPicture& spinner = demo.pictures[5];
  const std::int64_t frame3 = spinner.address + 2 * spinner.frameSize;

  // Frame 3 of the animation: only its bytes change.
  ASSERT_EQ(RunCli({"pictures", "replace", copy, table, "006", "3", In("bmp/Ladekreis-Gesicht.bmp"), "--write"}).status,
            0);
  const auto changed = ReadBytes(copy);
  ASSERT_EQ(changed.size(), demo.image.size());
  std::int64_t first = -1, last = -1;
  for (std::size_t i = 0; i < changed.size(); ++i) {
    if (changed[i] == demo.image[i]) continue;
    if (first < 0) first = static_cast<std::int64_t>(i);
    last = static_cast<std::int64_t>(i);
  }
  EXPECT_GE(first, frame3);
  EXPECT_LT(last, frame3 + spinner.frameSize);
  EXPECT_GE(last - first, spinner.frameSize / 2);

  // The night picture lies on its side: refused as it is, taken after a
  // quarter turn, and written as the patch of its row.
  const std::string bmp = In("bmp/Abendrot-Nacht-gedreht.bmp");
  EXPECT_EQ(RunCli({"pictures", "replace", copy, table, "003", "1", bmp, "--s3", dir.Path("night.s3")}).status, 1);
  EXPECT_FALSE(std::filesystem::exists(dir.Path("night.s3")));
  ASSERT_EQ(RunCli({"pictures", "replace", copy, table, "003", "1", bmp, "--turn", "cw", "--s3", dir.Path("night.s3")})
                .status,
            0);
  EXPECT_NE(ReadText(dir.Path("night.s3")).find(Hex8(demo.pictures[2].address)), std::string::npos);
  EXPECT_EQ(ReadBytes(copy), changed);  // --s3 leaves the image file alone

  // The compressed start picture takes the rings.
  ASSERT_EQ(RunCli({"pictures", "replace", copy, table, "008", "1", In("bmp/Startbild-Ringe.bmp"), "--write"}).status,
            0);
  EXPECT_NE(ReadBytes(copy), changed);
}

}  // namespace
}  // namespace korvana::test
