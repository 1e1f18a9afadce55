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
#include "pictures/bmp_file.h"
#include "pictures/picture_table.h"
#include "pictures/stored_picture_format.h"
#include "strings/string_search.h"
#include "support/test_support.h"
#include "tones/tone_scanner.h"
#include "tones/tone_table.h"
#include "tools/place_search.h"

namespace korvana::demo {
namespace {

const DemoFirmware& Demo() {
  static const DemoFirmware demo = BuildDemoFirmware();
  return demo;
}

image::HandsetImage ImageOf(const DemoFirmware& demo) {
  image::HandsetImage image;
  image.Assign(demo.image, "demo.bin");
  return image;
}

// The pixel at x, y of a decoded BMP (1- or 24-bit, bottom-up), as a colour.
Rgb PixelOf(const std::vector<std::uint8_t>& bmp, std::int64_t x, std::int64_t y) {
  const auto layout = pictures::ReadBmpLayout(bmp);
  const std::int64_t row = layout.height - 1 - y;
  if (layout.bitCount == 1) {
    const std::uint8_t byte = bmp[static_cast<std::size_t>(layout.pixelOffset +
                                                           row * pictures::BmpRowSize(layout.width, 1) + x / 8)];
    const std::uint8_t v = (byte >> (7 - x % 8)) & 1 ? 255 : 0;
    return {v, v, v};
  }
  const std::size_t at =
      static_cast<std::size_t>(layout.pixelOffset + row * pictures::BmpRowSize(layout.width, 24) + 3 * x);
  return {bmp[at + 2], bmp[at + 1], bmp[at]};
}

void ExpectFrameDecodesTo(const std::vector<std::uint8_t>& bmp, const DemoFrame& frame, const std::string& what) {
  ASSERT_FALSE(bmp.empty()) << what;
  const auto layout = pictures::ReadBmpLayout(bmp);
  ASSERT_EQ(layout.width, frame.width) << what;
  ASSERT_EQ(layout.height, frame.height) << what;
  int wrong = 0;
  for (std::int64_t y = 0; y < frame.height && wrong < 3; ++y) {
    for (std::int64_t x = 0; x < frame.width && wrong < 3; ++x) {
      const Rgb got = PixelOf(bmp, x, y), want = frame.At(x, y);
      if (got == want) continue;
      ++wrong;
      ADD_FAILURE() << what << " pixel " << x << "," << y << ": got " << int{got.r} << " " << int{got.g} << " "
                    << int{got.b} << ", drawn " << int{want.r} << " " << int{want.g} << " " << int{want.b};
    }
  }
}

TEST(DemoFirmware, IsTheSameEveryTimeAndAFewMebibytes) {
  const DemoFirmware again = BuildDemoFirmware();
  EXPECT_EQ(again.image, Demo().image);
  ASSERT_EQ(again.files.size(), Demo().files.size());
  for (std::size_t i = 0; i < again.files.size(); ++i) EXPECT_EQ(again.files[i].bytes, Demo().files[i].bytes);
  EXPECT_EQ(static_cast<Length>(Demo().image.size()), kDemoImageSize);
}

TEST(DemoFirmware, TheToneScanFindsEveryToneWhereItWasLaid) {
  image::HandsetImage image = ImageOf(Demo());
  tones::ToneList list;
  ASSERT_TRUE(tones::ScanTones(image, list).ok);
  ASSERT_EQ(list.RowCount(), static_cast<int>(Demo().tones.size()));
  for (int row = 0; row < list.RowCount(); ++row) {
    const DemoTone& tone = Demo().tones[static_cast<std::size_t>(row)];
    EXPECT_EQ(list.Row(row).start, tones::ToneAddressText(tone.start));
    EXPECT_EQ(list.Row(row).size, std::to_string(tone.size));
    const auto source = DemoAsset(tone.source);
    EXPECT_TRUE(std::equal(source.begin(), source.end(), Demo().image.begin() + tone.start)) << tone.source;
  }
  // Replacement files: shorter, equal and longer than tone 001.
  EXPECT_LT(Demo().files[0].bytes.size(), static_cast<std::size_t>(Demo().tones[0].size));
  EXPECT_EQ(Demo().files[1].bytes.size(), static_cast<std::size_t>(Demo().tones[0].size));
  const auto tone1 = Demo().image.begin() + Demo().tones[0].start;
  EXPECT_FALSE(std::equal(Demo().files[1].bytes.begin(), Demo().files[1].bytes.end(), tone1));
  EXPECT_GT(Demo().files[2].bytes.size(), static_cast<std::size_t>(Demo().tones[0].size));
}

TEST(DemoFirmware, TheAddressToolsFindEachToneAddressAtItsTwoPlaces) {
  image::HandsetImage image = ImageOf(Demo());
  for (const DemoTone& tone : Demo().tones) {
    tools::PlaceList places;
    (void)tools::FindAddressPlaces(image, image::HexPad(tone.start, 8), places, {});
    ASSERT_EQ(places.RowCount(), 2) << tone.start;
    EXPECT_EQ(places.RowTexts(0)[1], "0x" + image::HexPad(tone.pointerPlace, 8));
    EXPECT_EQ(places.RowTexts(1)[1], "0x" + image::HexPad(tone.entryPlace, 8));
    const auto* size = Demo().image.data() + tone.entryPlace + 4;
    EXPECT_EQ(size[0] | size[1] << 8 | size[2] << 16 | size[3] << 24, tone.size);
  }
}

TEST(DemoFirmware, EveryStringIsFoundInItsEncodingUpToItsZero) {
  image::HandsetImage image = ImageOf(Demo());
  for (const DemoString& s : Demo().strings) {
    image.SetSearchStart(0);
    strings::StringSearchFields fields;
    ASSERT_TRUE(strings::SearchString(image, {s.text, s.encoding, true}, fields).ok) << s.text;
    EXPECT_EQ(fields.start, image::HexPad(s.start, 8)) << s.text;
    EXPECT_EQ(fields.stop, image::HexPad(s.start + s.byteLength - 1, 8)) << s.text;
  }
}

TEST(DemoFirmware, TheVersionShowsAfterLoadingTheWrittenImage) {
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
}

TEST(DemoFirmware, APathThatCannotBeWrittenFailsWithMessage2) {
  test::TempDir dir;
  test::WriteText(dir.Path("file"), "x");
  const Outcome outcome = WriteDemo(dir.Path("file/demo"));
  EXPECT_FALSE(outcome.ok);
  EXPECT_EQ(outcome.message, msg::kFileError);
  EXPECT_TRUE(outcome.written.empty());
}

TEST(DemoPictures, TheDepth4WriterIsTheInverseOfItsDecoder) {
  const auto palette = DemoAsset("16.dat");
  pictures::Palette16 palette16{};
  std::copy_n(palette.begin(), 64, palette16.begin());
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
  ExpectFrameDecodesTo(pictures::DecodePicture(*stored4, 0, 16, 2, 4, palette16).bytes, four, "depth 4");

  const DemoFrame rgb = DrawFrame(5, 3, "24", [](double x, double y) { return Colour{x / 4, y / 2, 0.3}; });
  // A colour outside the palette, or an odd width, has no depth-4 form.
  EXPECT_FALSE(StoreFourBitFrame(rgb, palette).has_value());
}

TEST(DemoPictures, EveryFrameInTheImageDecodesToItsDrawing) {
  pictures::Palette16 palette{};
  std::copy_n(DemoAsset("16.dat").begin(), 64, palette.begin());
  std::vector<std::string> depths;
  for (const DemoPicture& p : Demo().pictures) {
    depths.push_back(p.depth);
    const pictures::PictureShape shape{p.address, static_cast<std::int64_t>(p.frames.size()), p.frameSize,
                                       p.width, p.height, std::stoi(p.depth), p.depth == "16*"};
    for (std::size_t f = 0; f < p.frames.size(); ++f) {
      const auto decoded = pictures::DecodeFrame(Demo().image, shape, static_cast<std::int64_t>(f), palette);
      ExpectFrameDecodesTo(decoded.bytes, p.frames[f], p.name + " frame " + std::to_string(f + 1));
    }
  }
  EXPECT_EQ(depths, (std::vector<std::string>{"1", "4", "8", "12", "16", "16", "24", "16*"}));
}

TEST(DemoPictures, EachPictureHasItsDirectoryRecordAndTableRow) {
  image::HandsetImage image = ImageOf(Demo());
  for (const DemoPicture& p : Demo().pictures) {
    tools::PlaceList places;
    (void)tools::FindPictureRecordPlaces(image, image::HexPad(p.address, 8),
                                         std::to_string(p.width) + "*" + std::to_string(p.height), places, {});
    ASSERT_EQ(places.RowCount(), 1) << p.name;
    EXPECT_EQ(places.RowTexts(0)[1], "0x" + image::HexPad(p.recordPlace, 8)) << p.name;
  }
  test::TempDir dir;
  ASSERT_TRUE(WriteDemo(dir.Path()).ok);
  const auto table = pictures::ReadPictureTable(dir.Path("demo-bilder.txt"), {});
  ASSERT_TRUE(table.outcome.ok);
  ASSERT_EQ(table.rows.size(), 8u);
  const auto& spinner = table.rows[5];
  EXPECT_EQ(spinner.name, "Ladekreis");
  EXPECT_EQ(spinner.count, "8");
  EXPECT_EQ(spinner.start, "0X" + image::HexPad(Demo().pictures[5].address, 8));
  EXPECT_EQ(table.rows.back().depth, "16*");
}

}  // namespace
}  // namespace korvana::demo
