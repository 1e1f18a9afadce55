// The demonstration firmware: the same bytes every time, and all it lays out found by the editor's commands.

#include <gtest/gtest.h>

#include <filesystem>

#include "demo/demo_assets.h"
#include "demo/demo_drawing.h"
#include "demo/demo_firmware.h"
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
  EXPECT_TRUE(again.image == Demo().image && again.files.back().bytes == Demo().files.back().bytes);
  const auto tone1 = static_cast<std::size_t>(Demo().tones[0].size);
  const auto& files = Demo().files;
  EXPECT_TRUE(files[0].bytes.size() < tone1 && files[1].bytes.size() == tone1 && files[2].bytes.size() > tone1);
  EXPECT_FALSE(std::equal(files[1].bytes.begin(), files[1].bytes.end(), Demo().image.begin() + Demo().tones[0].start));
}

// The scan finds every tone, the address tools its start at the pointer and the table entry.
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
    const auto* size = Demo().image.data() + tone.entryPlace + 4;  // the entry's size field
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

// Written out, the tables list the tones and pictures with their notes and addresses.
TEST(DemoFirmware, TheWrittenTablesListTonesAndPicturesOrTheWritingFailsWithMessage2) {
  test::TempDir dir;
  ASSERT_TRUE(WriteDemo(dir.Path("demo")).ok);
  tones::ToneList table;
  ASSERT_TRUE(tones::OpenToneTable(dir.Path("demo/demo-toene.txt"), table).ok);
  ASSERT_EQ(table.RowCount(), static_cast<int>(Demo().tones.size()));
  EXPECT_EQ(table.Row(4).note, "来电");
  EXPECT_EQ(table.Row(2).start, tones::ToneAddressText(Demo().tones[2].start));
  const auto pictureTable = pictures::ReadPictureTable(dir.Path("demo/demo-bilder.txt"), {});
  ASSERT_EQ(pictureTable.rows.size(), 8u);
  const auto& spinner = pictureTable.rows[5];
  EXPECT_EQ(spinner.name + " " + spinner.count + " " + spinner.start,
            "Ladekreis 8 0X" + HexPad(Demo().pictures[5].address, 8));
  EXPECT_EQ(pictureTable.rows.back().depth, "16*");

  // A folder that cannot be made, an image name a folder takes: the first failure ends the writing.
  test::WriteText(dir.Path("file"), "x");
  std::filesystem::create_directories(dir.Path("blocked/demo.bin"));
  for (const char* folder : {"file/demo", "blocked"}) {
    const Outcome failed = WriteDemo(dir.Path(folder));
    EXPECT_EQ(failed.message, msg::kFileError) << folder;
    EXPECT_TRUE(failed.written.empty());
  }
  EXPECT_EQ(test::FilesIn(dir.Path("blocked")), std::vector<std::string>{"demo.bin"});
}

// Every frame decodes to its drawing, and each picture's record is where the address tools find it.
TEST(DemoPictures, EveryFrameDecodesToItsDrawingAndEachRecordIsFound) {
  image::HandsetImage image = ImageOfDemo();
  std::vector<std::string> depths;
  for (const DemoPicture& p : Demo().pictures) {
    depths.push_back(p.depth);
    const pictures::PictureShape shape{p.address, static_cast<std::int64_t>(p.frames.size()), p.frameSize,
                                       p.width, p.height, std::stoi(p.depth), p.depth == "16*"};
    for (std::size_t f = 0; f < p.frames.size(); ++f) {
      const auto decoded = pictures::DecodeFrame(Demo().image, shape, static_cast<std::int64_t>(f), DemoPalette());
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

}  // namespace
}  // namespace korvana::demo
