#include "pictures/picture_replacement.h"

#include <gtest/gtest.h>

#include "app/shared_texts.h"
#include "bmp_test_support.h"
#include "image/hex.h"
#include "pictures/bmp_operations.h"
#include "pictures/picture_encoding.h"
#include "support/test_support.h"

namespace korvana::pictures {
namespace {

using namespace bmptest;  // NOLINT: the expected-BMP helpers

constexpr std::uint8_t kFill = 0xA5;

// An image of kFill bytes and a list with one picture of two frames.
struct Fixture {
  image::HandsetImage image;
  PictureList list;

  Fixture(int width, int height, const std::string& depth, std::int64_t frameSize, std::int64_t start = 0x100) {
    image.Assign(Bytes(0x4000, kFill), "fw.bin");
    list.SetRows({{"001", "Pic", "0X" + image::HexPad(start, 8), "2", std::to_string(frameSize),
                   std::to_string(width) + "*" + std::to_string(height), depth}});
  }
  ReplacementTarget Target(int frame = 1) {
    TargetRead read = ReplacementTargetOf(list, 0, frame);
    EXPECT_TRUE(read.outcome.ok);
    return read.target;
  }
  NewPicture Load(const Bytes& bmp, int frame = 1) {
    NewPicture picture;
    EXPECT_TRUE(LoadNewPicture(bmp, Target(frame), picture, {}).ok);
    return picture;
  }
  // The image is kFill outside [from, from + count) and holds bytes there.
  void ExpectWritten(std::int64_t from, const Bytes& bytes) const {
    Bytes expected(0x4000, kFill);
    std::copy(bytes.begin(), bytes.end(), expected.begin() + from);
    const auto now = image.Bytes();
    EXPECT_EQ(Bytes(now.begin(), now.end()), expected);
  }
};

const app::QuestionFn kNeverAsked = [](std::string_view, std::string_view) {
  ADD_FAILURE() << "unexpected question";
  return app::Answer::kCancel;
};
const app::QuestionFn kYes = [](std::string_view, std::string_view) { return app::Answer::kYes; };

TEST(ReplaceFrame, WritesTheEncodedFrameAtItsAddressAndNothingElse) {
  const Bytes rgb = Bmp24Of(6, 4, Scattered);
  const Bytes mono = Bmp1Of(6, 4, true, [](int x, int y) { return x == y; });
  for (const auto& [depth, frameSize, bmp] :
       {std::tuple{"8", 24, rgb}, {"12", 36, rgb}, {"16", 48, rgb}, {"24", 72, rgb}, {"1", 6, mono}}) {
    SCOPED_TRACE(depth);
    Fixture f(6, 4, depth, frameSize);
    const ReplacementTarget second = f.Target(2);
    EXPECT_EQ(second.FrameAddress(), 0x100 + frameSize);
    const NewPicture picture = f.Load(bmp, 2);
    EXPECT_EQ(picture.size, (6 * bmp[28] + 31) / 32 * 4 * 4);
    EXPECT_EQ(ReplaceFrame(f.image, f.list, second, picture, kNeverAsked).message, msg::kPictureReplaced);
    const EncodedPicture expected = EncodeBmp(bmp, std::stoi(depth));
    ASSERT_EQ(static_cast<std::int64_t>(expected.bytes.size()), frameSize);
    f.ExpectWritten(second.FrameAddress(), expected.bytes);
    EXPECT_TRUE(f.image.Modified());
  }
}

TEST(ReplaceFrame, SizesAndDepthsAreCheckedBeforeAnythingIsWritten) {
  Fixture f(4, 6, "16", 48);
  NewPicture picture = f.Load(Bmp24Of(6, 4, Scattered));
  EXPECT_EQ(ReplaceFrame(f.image, f.list, f.Target(), picture, kNeverAsked).message, msg::kBmpSizeMismatch);
  EXPECT_FALSE(f.image.Modified());
  ASSERT_TRUE(TurnNewPicture(picture, 3, f.Target(), {}));
  EXPECT_EQ(std::tuple(picture.width, picture.height), std::tuple(4, 6));
  EXPECT_EQ(ReplaceFrame(f.image, f.list, f.Target(), picture, kNeverAsked).message, msg::kPictureReplaced);

  Fixture mono(8, 8, "1", 8);
  EXPECT_EQ(
      ReplaceFrame(mono.image, mono.list, mono.Target(), mono.Load(Bmp24Of(8, 8, Scattered)), kNeverAsked).message,
      msg::kColourDepthUnsupported);
  EXPECT_FALSE(mono.image.Modified());
  EXPECT_EQ(ReplaceFrame(mono.image, mono.list, mono.Target(), NewPicture{}, kNeverAsked).message, msg::kNone);
}

TEST(TurnNewPicture, TurnsOnlyWhatTheDepthAllowsAndRecompresses) {
  Fixture f(5, 3, "16*", 100);
  const Bytes bmp = Bmp24Of(5, 3, Scattered);
  NewPicture picture = f.Load(bmp);
  ASSERT_TRUE(TurnNewPicture(picture, 4, f.Target(), {}));
  Bytes turned = bmp;
  ASSERT_TRUE(TransformBmp(turned, 4));
  EXPECT_EQ(picture.bmp, turned);
  EXPECT_EQ(std::tuple(picture.width, picture.height), std::tuple(3, 5));
  EXPECT_EQ(picture.compressed, EncodeCompressedBmp(turned, {}).bytes);
  // One-bit pictures only flip; four-bit ones do not mirror.
  for (const auto& [bits, mode, available] : {std::tuple{1, 1, true},
                                              {1, 2, false},
                                              {1, 3, false},
                                              {1, 4, false},
                                              {4, 2, false},
                                              {4, 3, true},
                                              {24, 2, true},
                                              {24, 0, false},
                                              {24, 5, false}}) {
    EXPECT_EQ(TurnAvailable(bits, mode), available) << bits << " " << mode;
  }
  NewPicture empty;
  EXPECT_FALSE(TurnNewPicture(empty, 1, f.Target(), {}));
}

TEST(ReplaceFrame, ALargerCompressedPictureIsWrittenOnlyOnYesAndWhole) {
  const Bytes bmp = Bmp24Of(6, 4, Scattered);  // few repeats: compresses badly
  Fixture f(6, 4, "16*", 20);
  NewPicture picture;
  const Outcome opened = LoadNewPicture(bmp, f.Target(), picture, {});
  EXPECT_EQ(std::tuple(opened.ok, opened.message), std::tuple(true, msg::kCompressedTooLarge));
  ASSERT_TRUE(TooLarge(f.Target(), picture));
  EXPECT_EQ(picture.compressed, EncodeCompressedBmp(bmp, {}).bytes);

  for (app::Answer answer : {app::Answer::kNo, app::Answer::kCancel}) {
    int asked = 0;
    const app::QuestionFn ask = [&](std::string_view text, std::string_view title) {
      ++asked;
      EXPECT_EQ(std::tuple(text, title), std::tuple(app::kPictureTooLargeQuestion, app::kQuestionTitle));
      return answer;
    };
    const Outcome out = ReplaceFrame(f.image, f.list, f.Target(), picture, ask);
    EXPECT_EQ(std::tuple(asked, out.ok, out.message), std::tuple(1, false, msg::kNone));
    EXPECT_FALSE(f.image.Modified());
    EXPECT_EQ(f.list.Row(0)->frameSize, "20");
  }

  // Yes, but the picture would run past the end of the image: message 2,
  // nothing written, the list as it was.
  Fixture atEnd(6, 4, "16*", 20, 0x4000 - 20);
  EXPECT_EQ(ReplaceFrame(atEnd.image, atEnd.list, atEnd.Target(), picture, kYes).message, msg::kFileError);
  atEnd.ExpectWritten(0, {});
  EXPECT_FALSE(atEnd.image.Modified());
  EXPECT_EQ(atEnd.list.Row(0)->frameSize, "20");

  // Yes: the whole picture, and the table row takes its size.
  EXPECT_EQ(ReplaceFrame(f.image, f.list, f.Target(), picture, kYes).message, msg::kPictureReplaced);
  EXPECT_EQ(f.list.Row(0)->frameSize, std::to_string(picture.size));
  f.ExpectWritten(0x100, picture.compressed);
  ASSERT_TRUE(f.image.Undo());  // the table's size goes back with the bytes
  EXPECT_EQ(f.list.Row(0)->frameSize, "20");
  f.ExpectWritten(0, {});

  // A picture that fits is written without a question; the size stays.
  Fixture fits(6, 4, "16*", 100, 0);
  const NewPicture plain = fits.Load(Bmp24Of(6, 4, [](int, int) { return kBlue; }));
  EXPECT_FALSE(TooLarge(fits.Target(), plain));
  EXPECT_EQ(ReplaceFrame(fits.image, fits.list, fits.Target(), plain, kNeverAsked).message, msg::kPictureReplaced);
  EXPECT_EQ(fits.list.Row(0)->frameSize, "100");
  fits.ExpectWritten(0, plain.compressed);
}

TEST(OpenNewPicture, RefusalsLeaveNothingLoaded) {
  test::TempDir dir;
  Fixture f(2, 2, "16*", 8);
  NewPicture picture;
  picture.loaded = true;
  EXPECT_EQ(OpenNewPicture(dir.Path("missing.bmp"), f.Target(), picture, {}).message, msg::kBmpOpenFailed);
  EXPECT_FALSE(picture.loaded);
  test::WriteBytes(dir.Path("empty.bmp"), {});
  EXPECT_EQ(OpenNewPicture(dir.Path("empty.bmp"), f.Target(), picture, {}).message, msg::kEmptyFile);
  Bytes rle = Bmp24Of(2, 2, Scattered);
  rle[28] = 8;
  rle[30] = 1;
  EXPECT_EQ(LoadNewPicture(rle, f.Target(), picture, {}).message, msg::kBmpOpenFailed);
  // The compressed form takes no 1-bit picture.
  EXPECT_EQ(LoadNewPicture(Bmp1Of(2, 2, false, [](int, int) { return true; }), f.Target(), picture, {}).message,
            msg::kColourDepthUnsupported);
  EXPECT_FALSE(picture.loaded);
  // A file that opens is loaded whole.
  test::WriteBytes(dir.Path("ok.bmp"), Bmp24Of(2, 2, Scattered));
  EXPECT_TRUE(OpenNewPicture(dir.Path("ok.bmp"), f.Target(), picture, {}).ok);
  EXPECT_EQ(picture.bmp, Bmp24Of(2, 2, Scattered));
}

}  // namespace
}  // namespace korvana::pictures
