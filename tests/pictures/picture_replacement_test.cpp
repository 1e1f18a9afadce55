#include "pictures/picture_replacement.h"

#include <gtest/gtest.h>

#include "app/shared_texts.h"
#include "encoder_test_support.h"
#include "pictures/picture_encoding.h"
#include "pictures/stored_picture_format.h"
#include "support/test_support.h"

namespace korvana::pictures {
namespace {

using namespace bmptest;
using Bytes = std::vector<std::uint8_t>;

constexpr std::uint8_t kFill = 0xA5;

// An image of kFill bytes and a list with one picture of two frames.
struct Fixture {
  image::HandsetImage image;
  PictureList list;

  Fixture(int width, int height, const std::string& depth, std::int64_t frameSize, std::int64_t start = 0x100,
          std::size_t imageSize = 0x4000) {
    image.Assign(Bytes(imageSize, kFill), "fw.bin");
    char address[16];
    std::snprintf(address, sizeof address, "0X%08llX", static_cast<unsigned long long>(start));
    list.SetRows({{"001", "Pic", address, "2", std::to_string(frameSize),
                   std::to_string(width) + "*" + std::to_string(height), depth}});
  }
  ReplacementTarget Target(int frame = 2) {
    TargetRead read = ReplacementTargetOf(list, 0, frame);
    EXPECT_TRUE(read.outcome.ok);
    return read.target;
  }
  Bytes Range(std::int64_t from, std::int64_t count) const {
    const auto bytes = image.Bytes();
    return {bytes.begin() + from, bytes.begin() + from + count};
  }
  // Every byte outside [from, from + count) is still kFill.
  bool UntouchedAround(std::int64_t from, std::int64_t count) const {
    const auto bytes = image.Bytes();
    for (std::int64_t i = 0; i < static_cast<std::int64_t>(bytes.size()); ++i) {
      if ((i < from || i >= from + count) && bytes[static_cast<std::size_t>(i)] != kFill) return false;
    }
    return true;
  }
};

const app::QuestionFn kNeverAsked = [](std::string_view, std::string_view) {
  ADD_FAILURE() << "unexpected question";
  return app::Answer::kCancel;
};

TEST(ReplaceFrame, WritesTheEncodedFrameAtItsAddressAndNothingElse) {
  struct Case {
    std::string depth;
    std::int64_t frameSize;
    Bytes bmp;
  };
  const Bytes rgb = Bmp24Of(6, 4, Scattered);
  const Bytes mono = Bmp1Of(6, 4, true, [](int x, int y) { return x == y; });
  for (const Case& c : {Case{"8", 24, rgb}, Case{"12", 36, rgb}, Case{"16", 48, rgb}, Case{"24", 72, rgb},
                        Case{"1", 6, mono}}) {
    SCOPED_TRACE(c.depth);
    Fixture f(6, 4, c.depth, c.frameSize);
    const ReplacementTarget target = f.Target(2);
    EXPECT_EQ(target.FrameAddress(), 0x100 + c.frameSize);
    NewPicture picture;
    ASSERT_TRUE(LoadNewPicture(c.bmp, target, picture, {}).ok);
    EXPECT_EQ(picture.size, (6 * (c.depth == "1" ? 1 : 24) + 31) / 32 * 4 * 4);
    const Outcome out = ReplaceFrame(f.image, f.list, target, picture, kNeverAsked);
    EXPECT_TRUE(out.ok);
    EXPECT_EQ(out.message, msg::kPictureReplaced);
    const EncodedPicture expected = EncodeBmp(c.bmp, std::stoi(c.depth));
    ASSERT_EQ(static_cast<std::int64_t>(expected.bytes.size()), c.frameSize);
    EXPECT_EQ(f.Range(target.FrameAddress(), c.frameSize), expected.bytes);
    EXPECT_TRUE(f.UntouchedAround(target.FrameAddress(), c.frameSize));
    EXPECT_TRUE(f.image.Modified());
  }
}

TEST(ReplaceFrame, SizesAndDepthsAreCheckedBeforeAnythingIsWritten) {
  Fixture f(128, 160, "16", 128 * 160 * 2, 0x100, 0x12000);
  const ReplacementTarget target = f.Target(1);
  NewPicture picture;
  ASSERT_TRUE(LoadNewPicture(Bmp24Of(160, 128, Scattered), target, picture, {}).ok);
  EXPECT_EQ(ReplaceFrame(f.image, f.list, target, picture, kNeverAsked).message, msg::kBmpSizeMismatch);
  EXPECT_FALSE(f.image.Modified());
  ASSERT_TRUE(TurnNewPicture(picture, 3, target, {}));
  EXPECT_EQ(picture.width, 128);
  EXPECT_EQ(picture.height, 160);
  EXPECT_EQ(ReplaceFrame(f.image, f.list, target, picture, kNeverAsked).message, msg::kPictureReplaced);

  Fixture mono(8, 8, "1", 8);
  NewPicture rgb;
  ASSERT_TRUE(LoadNewPicture(Bmp24Of(8, 8, Scattered), mono.Target(), rgb, {}).ok);
  EXPECT_EQ(ReplaceFrame(mono.image, mono.list, mono.Target(), rgb, kNeverAsked).message,
            msg::kColourDepthUnsupported);
  EXPECT_FALSE(mono.image.Modified());
}

TEST(TurnNewPicture, TwoFlipsAndFourTurnsRestoreThePicture) {
  Fixture f(5, 3, "16", 30);
  NewPicture picture;
  ASSERT_TRUE(LoadNewPicture(Bmp24Of(5, 3, Scattered), f.Target(), picture, {}).ok);
  const Bytes original = picture.bmp;
  for (int mode = 1; mode <= 4; ++mode) {
    const int times = mode <= 2 ? 2 : 4;
    for (int i = 0; i < times; ++i) {
      ASSERT_TRUE(TurnNewPicture(picture, mode, f.Target(), {}));
      if (mode >= 3 && i == 0) EXPECT_EQ(picture.width, 3);
      if (i + 1 < times) EXPECT_NE(picture.bmp, original) << mode;
    }
    EXPECT_EQ(picture.bmp, original) << mode;
  }
  // One-bit pictures only flip; four-bit ones do not mirror.
  EXPECT_TRUE(TurnAvailable(1, 1));
  EXPECT_FALSE(TurnAvailable(1, 2) || TurnAvailable(1, 3) || TurnAvailable(1, 4));
  EXPECT_FALSE(TurnAvailable(4, 2));
  EXPECT_TRUE(TurnAvailable(4, 3) && TurnAvailable(24, 2));
  NewPicture empty;
  EXPECT_FALSE(TurnNewPicture(empty, 1, f.Target(), {}));
}

TEST(ReplaceFrame, ALargerCompressedPictureIsWrittenOnlyOnYesAndWhole) {
  const Bytes bmp = Bmp24Of(6, 4, Scattered);  // few repeats: compresses badly
  Fixture f(6, 4, "16*", 20);
  const ReplacementTarget target = f.Target(1);
  NewPicture picture;
  const Outcome opened = LoadNewPicture(bmp, target, picture, {});
  EXPECT_TRUE(opened.ok);
  EXPECT_EQ(opened.message, msg::kCompressedTooLarge);
  ASSERT_TRUE(TooLarge(target, picture));
  EXPECT_EQ(picture.compressed, EncodeCompressedBmp(bmp, {}).bytes);

  for (app::Answer answer : {app::Answer::kNo, app::Answer::kCancel}) {
    int asked = 0;
    const app::QuestionFn ask = [&](std::string_view text, std::string_view title) {
      ++asked;
      EXPECT_EQ(text, app::kPictureTooLargeQuestion);
      EXPECT_EQ(title, app::kQuestionTitle);
      return answer;
    };
    const Outcome out = ReplaceFrame(f.image, f.list, target, picture, ask);
    EXPECT_EQ(asked, 1);
    EXPECT_FALSE(out.ok);
    EXPECT_EQ(out.message, msg::kNone);
    EXPECT_FALSE(f.image.Modified());
    EXPECT_EQ(f.list.Row(0)->frameSize, "20");
  }

  // Yes, but the picture would run past the end of the image: message 2,
  // nothing written, the list as it was.
  Fixture atEnd(6, 4, "16*", 20, 0x4000 - 20);
  const auto yes = [](std::string_view, std::string_view) { return app::Answer::kYes; };
  const Outcome past = ReplaceFrame(atEnd.image, atEnd.list, atEnd.Target(1), picture, yes);
  EXPECT_EQ(past.message, msg::kFileError);
  EXPECT_TRUE(atEnd.UntouchedAround(0, 0));
  EXPECT_FALSE(atEnd.image.Modified());
  EXPECT_EQ(atEnd.list.Row(0)->frameSize, "20");

  const Outcome written = ReplaceFrame(f.image, f.list, target, picture, yes);
  EXPECT_EQ(written.message, msg::kPictureReplaced);
  EXPECT_EQ(f.list.Row(0)->frameSize, std::to_string(picture.size));
  EXPECT_EQ(f.Range(0x100, picture.size), picture.compressed);
  EXPECT_TRUE(f.UntouchedAround(0x100, picture.size));

  // A picture that fits is written without a question; the size stays.
  Fixture fits(6, 4, "16*", 100);
  NewPicture plain;
  ASSERT_TRUE(LoadNewPicture(Bmp24Of(6, 4, [](int, int) { return kBlue; }), fits.Target(1), plain, {}).ok);
  EXPECT_EQ(ReplaceFrame(fits.image, fits.list, fits.Target(1), plain, kNeverAsked).message, msg::kPictureReplaced);
  EXPECT_EQ(fits.list.Row(0)->frameSize, "100");
}

TEST(ReplaceFrame, AnAcceptedOversizePictureDecodesToEveryPixel) {
  // Noise compresses to more bytes than the 16-bit frame it replaces.
  constexpr int kW = 128, kH = 160;
  Fixture f(kW, kH, "16*", kW * kH * 2, 0x100, 0x20000);
  const ReplacementTarget target = f.Target(1);
  NewPicture picture;
  ASSERT_TRUE(LoadNewPicture(Bmp24Of(kW, kH, NoiseWithoutWordOne), target, picture, {}).ok);
  ASSERT_GT(picture.size, kW * kH * 2);
  const auto yes = [](std::string_view, std::string_view) { return app::Answer::kYes; };
  ASSERT_EQ(ReplaceFrame(f.image, f.list, target, picture, yes).message, msg::kPictureReplaced);
  const DecodedBmp decoded = DecodeFrame(f.image.Bytes(), target.shape, 0, {});
  const PixelFn expected = [](int x, int y) { return Through16Bit(NoiseWithoutWordOne(x, y)); };
  EXPECT_EQ(PixelsDiffering(decoded.bytes, kW, kH, expected), 0);
}

TEST(OpenNewPicture, RefusalsLeaveNothingLoaded) {
  korvana::test::TempDir dir;
  Fixture f(2, 2, "16*", 8);
  NewPicture picture;
  picture.loaded = true;
  EXPECT_EQ(OpenNewPicture(dir.Path("missing.bmp"), f.Target(), picture, {}).message, msg::kBmpOpenFailed);
  EXPECT_FALSE(picture.loaded);
  korvana::test::WriteBytes(dir.Path("empty.bmp"), {});
  EXPECT_EQ(OpenNewPicture(dir.Path("empty.bmp"), f.Target(), picture, {}).message, msg::kEmptyFile);
  Bytes rle = Bmp24Of(2, 2, Scattered);
  rle[28] = 8;
  rle[30] = 1;
  EXPECT_EQ(LoadNewPicture(rle, f.Target(), picture, {}).message, msg::kBmpOpenFailed);
  // The compressed form takes no 1-bit picture.
  EXPECT_EQ(LoadNewPicture(Bmp1Of(2, 2, false, [](int, int) { return true; }), f.Target(), picture, {}).message,
            msg::kColourDepthUnsupported);
  EXPECT_FALSE(picture.loaded);
}

}  // namespace
}  // namespace korvana::pictures
