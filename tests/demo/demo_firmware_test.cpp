// The demonstration firmware: the same bytes every time, and everything the
// layout records is where the editor's own commands find it.

#include <gtest/gtest.h>

#include <filesystem>

#include "demo/demo_assets.h"
#include "demo/demo_drawing.h"
#include "demo/demo_firmware.h"
#include "demo/demo_stored_picture.h"
#include "demo/demo_writer.h"
#include "image/handset_image.h"
#include "image/hex.h"
#include "pictures/picture_table.h"
#include "pictures/stored_picture_format.h"
#include "strings/string_search.h"
#include "support/test_support.h"
#include "tones/tone_scanner.h"
#include "tones/tone_table.h"
#include "tools/place_search.h"

namespace korvana::demo {
namespace {

using image::HexPad;

const DemoFirmware& Demo() {
  static const DemoFirmware demo = BuildDemoFirmware();
  return demo;
}

image::HandsetImage ImageOfDemo() {
  image::HandsetImage image;
  image.Assign(Demo().image, "demo.bin");
  return image;
}

pictures::Palette16 DemoPalette() {
  pictures::Palette16 palette{};
  std::copy_n(DemoAsset("16.dat").begin(), 64, palette.begin());
  return palette;
}

TEST(DemoFirmware, IsTheSameEveryTimeAndTheReplacementTonesAreShorterEqualAndLonger) {
  const DemoFirmware again = BuildDemoFirmware();
  EXPECT_TRUE(again.image == Demo().image);
  ASSERT_EQ(again.files.size(), Demo().files.size());
  for (std::size_t i = 0; i < again.files.size(); ++i) EXPECT_TRUE(again.files[i].bytes == Demo().files[i].bytes);
  EXPECT_EQ(static_cast<Length>(Demo().image.size()), kDemoImageSize);
  const auto tone1 = static_cast<std::size_t>(Demo().tones[0].size);
  EXPECT_LT(Demo().files[0].bytes.size(), tone1);
  EXPECT_EQ(Demo().files[1].bytes.size(), tone1);
  EXPECT_FALSE(std::equal(Demo().files[1].bytes.begin(), Demo().files[1].bytes.end(),
                          Demo().image.begin() + Demo().tones[0].start));
  EXPECT_GT(Demo().files[2].bytes.size(), tone1);
}

// The tone scan finds every tone where it was laid, and the address tools
// find its start at its two places: the pointer and the table entry.
TEST(DemoFirmware, TheToneScanAndTheAddressToolsFindEveryToneWhereItWasLaid) {
  image::HandsetImage image = ImageOfDemo();
  tones::ToneList list;
  ASSERT_TRUE(tones::ScanTones(image, list).ok);
  ASSERT_EQ(list.RowCount(), static_cast<int>(Demo().tones.size()));
  for (int row = 0; row < list.RowCount(); ++row) {
    const DemoTone& tone = Demo().tones[static_cast<std::size_t>(row)];
    EXPECT_EQ(list.Row(row).start, tones::ToneAddressText(tone.start));
    EXPECT_EQ(list.Row(row).size, std::to_string(tone.size));
    const auto source = DemoAsset(tone.source);
    EXPECT_TRUE(std::equal(source.begin(), source.end(), Demo().image.begin() + tone.start)) << tone.source;
    tools::PlaceList places;
    (void)tools::FindAddressPlaces(image, HexPad(tone.start, 8), places, {});
    EXPECT_EQ(places.RowTexts(0).at(1) + places.RowTexts(1).at(1) + std::to_string(places.RowCount()),
              "0x" + HexPad(tone.pointerPlace, 8) + "0x" + HexPad(tone.entryPlace, 8) + "2");
    const auto* size = Demo().image.data() + tone.entryPlace + 4;
    EXPECT_EQ(size[0] | size[1] << 8 | size[2] << 16 | size[3] << 24, tone.size);
  }
}

TEST(DemoFirmware, EveryStringIsFoundInItsEncodingUpToItsZero) {
  image::HandsetImage image = ImageOfDemo();
  for (const DemoString& s : Demo().strings) {
    strings::StringSearchFields fields;
    ASSERT_TRUE(strings::SearchString(image, {s.text, s.encoding, true}, fields).ok) << s.text;
    EXPECT_EQ(fields.start + "-" + fields.stop, HexPad(s.start, 8) + "-" + HexPad(s.start + s.byteLength - 1, 8));
  }
}

// Written out, the image shows its version, and the tables list the tones
// and pictures with their notes and addresses.
TEST(DemoFirmware, TheWrittenFilesOpenWithTheirVersionAndTablesOrFailWithMessage2) {
  test::TempDir dir;
  const Outcome written = WriteDemo(dir.Path("demo"));
  ASSERT_TRUE(written.ok) << written.detail;
  ASSERT_EQ(written.written.front(), dir.Path("demo/demo.bin"));
  EXPECT_EQ(written.written.size(), 3 + Demo().files.size());
  for (const std::string& path : written.written) EXPECT_TRUE(std::filesystem::exists(path)) << path;
  image::HandsetImage image;
  ASSERT_TRUE(image.Load(dir.Path("demo/demo.bin")).ok);
  EXPECT_EQ(image.VersionText(), kDemoVersion);

  tones::ToneList table;
  ASSERT_TRUE(tones::OpenToneTable(dir.Path("demo/demo-toene.txt"), table).ok);
  ASSERT_EQ(table.RowCount(), static_cast<int>(Demo().tones.size()));
  EXPECT_EQ(table.Row(4).note, "来电");
  EXPECT_EQ(table.Row(2).start, tones::ToneAddressText(Demo().tones[2].start));
  const auto pictureTable = pictures::ReadPictureTable(dir.Path("demo/demo-bilder.txt"), {});
  ASSERT_TRUE(pictureTable.outcome.ok);
  ASSERT_EQ(pictureTable.rows.size(), 8u);
  const auto& spinner = pictureTable.rows[5];
  EXPECT_EQ(spinner.name + " " + spinner.count + " " + spinner.start,
            "Ladekreis 8 0X" + HexPad(Demo().pictures[5].address, 8));
  EXPECT_EQ(pictureTable.rows.back().depth, "16*");

  // A folder that cannot be made, and an image whose name a folder takes:
  // the first failure ends the writing.
  test::WriteText(dir.Path("file"), "x");
  std::filesystem::create_directories(dir.Path("blocked/demo.bin"));
  for (const char* folder : {"file/demo", "blocked"}) {
    const Outcome failed = WriteDemo(dir.Path(folder));
    EXPECT_EQ(failed.message, msg::kFileError) << folder;
    EXPECT_FALSE(failed.ok);
    EXPECT_TRUE(failed.written.empty());
  }
  EXPECT_EQ(test::FilesIn(dir.Path("blocked")), std::vector<std::string>{"demo.bin"});
}

// Every frame of every layout decodes to its drawing, and each picture has
// its directory record where the address tools find it.
TEST(DemoPictures, EveryFrameDecodesToItsDrawingAndEachRecordIsFound) {
  image::HandsetImage image = ImageOfDemo();
  std::vector<std::string> depths;
  for (const DemoPicture& p : Demo().pictures) {
    depths.push_back(p.depth);
    const pictures::PictureShape shape{p.address, static_cast<std::int64_t>(p.frames.size()), p.frameSize,
                                       p.width, p.height, std::stoi(p.depth), p.depth == "16*"};
    for (std::size_t f = 0; f < p.frames.size(); ++f) {
      const auto decoded = pictures::DecodeFrame(Demo().image, shape, static_cast<std::int64_t>(f), DemoPalette());
      // 1-bit for mono pictures, else 24-bit.
      const auto drawn = p.depth == "1" ? MonoBmpOf(p.frames[f]) : BmpOf(p.frames[f]);
      EXPECT_TRUE(decoded.bytes == drawn) << p.name << " frame " << f + 1;
    }
    tools::PlaceList places;
    (void)tools::FindPictureRecordPlaces(image, HexPad(p.address, 8),
                                         std::to_string(p.width) + "*" + std::to_string(p.height), places, {});
    ASSERT_EQ(places.RowCount(), 1) << p.name;
    EXPECT_EQ(places.RowTexts(0)[1], "0x" + HexPad(p.recordPlace, 8)) << p.name;
  }
  EXPECT_EQ(depths, (std::vector<std::string>{"1", "4", "8", "12", "16", "16", "24", "16*"}));
}

TEST(DemoPictures, TheDepth4WriterIsTheInverseOfItsDecoder) {
  const auto palette = DemoAsset("16.dat");
  // Every palette colour once, in both nibbles.
  const DemoFrame four = DrawFrame(16, 2, "4", [&](double x, double y) {
    const std::size_t i = static_cast<std::size_t>(y == 0 ? x : 15 - x) * 4;
    return Colour{palette[i + 2] / 255.0, palette[i + 1] / 255.0, palette[i] / 255.0};
  });
  const auto stored4 = StoreFourBitFrame(four, palette);
  ASSERT_TRUE(stored4.has_value());
  ASSERT_EQ(stored4->size(), 16u);
  EXPECT_EQ((*stored4)[0], 0x01);
  EXPECT_EQ((*stored4)[15], 0x10);
  EXPECT_TRUE(pictures::DecodePicture(*stored4, 0, 16, 2, 4, DemoPalette()).bytes == BmpOf(four));
  // A colour outside the palette, or an odd width, has no depth-4 form.
  const DemoFrame rgb = DrawFrame(5, 3, "24", [](double x, double y) { return Colour{x / 4, y / 2, 0.3}; });
  EXPECT_FALSE(StoreFourBitFrame(rgb, palette).has_value());
}

}  // namespace
}  // namespace korvana::demo
