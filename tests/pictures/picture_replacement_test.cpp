#include "pictures/picture_replacement.h"

#include <gtest/gtest.h>

#include "app/shared_texts.h"
#include "bmp_test_support.h"
#include "image/hex.h"
#include "pictures/bmp_operations.h"
#include "pictures/picture_encoding.h"
#include "pictures/stored_picture_format.h"
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
    const NewPicture picture = f.Load(bmp, 2);
    EXPECT_EQ(std::tuple(second.FrameAddress(), picture.size),
              std::tuple(0x100 + frameSize, (6 * bmp[28] + 31) / 32 * 16));
    EXPECT_EQ(ReplaceFrame(f.image, f.list, second, picture, kNeverAsked).message, msg::kPictureReplaced);
    const EncodedPicture expected = EncodeBmp(bmp, std::stoi(depth));
    ASSERT_EQ(static_cast<std::int64_t>(expected.bytes.size()), frameSize);
    f.ExpectWritten(second.FrameAddress(), expected.bytes);
    EXPECT_TRUE(f.image.Modified());
  }
}

TEST(TurnNewPicture, TurnsOnlyWhatTheDepthAllowsAndRecompresses) {
  Fixture f(5, 3, "16*", 100);
  const Bytes bmp = Bmp24Of(5, 3, Scattered);
  NewPicture picture = f.Load(bmp);
  ASSERT_TRUE(TurnNewPicture(picture, 4, f.Target(), {}));
  Bytes turned = bmp;
  ASSERT_TRUE(TransformBmp(turned, 4));
  EXPECT_EQ(std::tuple(picture.bmp, picture.width, picture.height), std::tuple(turned, 3, 5));
  EXPECT_EQ(picture.compressed, EncodeCompressedBmp(turned, {}).bytes);
  // Modes 0 to 5: one-bit pictures only flip; four-bit ones do not mirror.
  for (const auto& [bits, modes] : {std::pair{1, "010000"}, {4, "010110"}, {24, "011110"}})
    for (int mode = 0; mode <= 5; ++mode) EXPECT_EQ(TurnAvailable(bits, mode), modes[mode] == '1') << bits << mode;
  NewPicture empty;
  EXPECT_FALSE(TurnNewPicture(empty, 1, f.Target(), {}));
}

TEST(ReplaceFrame, ALargerCompressedPictureIsWrittenOnlyOnYesAndWhole) {
  const Bytes bmp = Bmp24Of(6, 4, Scattered);  // few repeats: compresses badly
  Fixture f(6, 4, "16*", 20);
  NewPicture picture;
  const Outcome opened = LoadNewPicture(bmp, f.Target(), picture, {});
  EXPECT_EQ(std::tuple(opened.ok, opened.message, TooLarge(f.Target(), picture)),
            std::tuple(true, msg::kCompressedTooLarge, true));
  EXPECT_EQ(picture.compressed, EncodeCompressedBmp(bmp, {}).bytes);
  for (app::Answer answer : {app::Answer::kNo, app::Answer::kCancel}) {
    int asked = 0;
    const app::QuestionFn ask = [&](std::string_view text, std::string_view title) {
      ++asked;
      EXPECT_EQ(std::tuple(text, title), std::tuple(app::kPictureTooLargeQuestion, app::kQuestionTitle));
      return answer;
    };
    const Outcome out = ReplaceFrame(f.image, f.list, f.Target(), picture, ask);
    EXPECT_EQ(std::tuple(asked, out.ok, out.message, f.image.Modified(), f.list.Row(0)->frameSize),
              std::tuple(1, false, msg::kNone, false, "20"));
  }
  // Yes, but past the end of the image: message 2, nothing written, the list as it was.
  Fixture atEnd(6, 4, "16*", 20, 0x4000 - 20);
  EXPECT_EQ(ReplaceFrame(atEnd.image, atEnd.list, atEnd.Target(), picture, kYes).message, msg::kFileError);
  atEnd.ExpectWritten(0, {});
  EXPECT_EQ(std::tuple(atEnd.image.Modified(), atEnd.list.Row(0)->frameSize), std::tuple(false, "20"));
  // Yes: the whole picture, and the table row takes its size.
  EXPECT_EQ(ReplaceFrame(f.image, f.list, f.Target(), picture, kYes).message, msg::kPictureReplaced);
  EXPECT_EQ(f.list.Row(0)->frameSize, std::to_string(picture.size));
  f.ExpectWritten(0x100, picture.compressed);
  ASSERT_TRUE(f.image.Undo());  // the table's size goes back with the bytes
  EXPECT_EQ(f.list.Row(0)->frameSize, "20");
  f.ExpectWritten(0, {});
}

// The BMP with an information header of `size` bytes (108 or 124); masks stay at 54, inside it.
Bytes WithInfoHeader(Bytes bmp, std::uint32_t size) {
  const std::uint32_t end = bmp[30] == 3 ? 70 : 54;  // of the header and the masks
  const std::uint32_t extra = size + 14 - end;
  bmp.insert(bmp.begin() + end, extra, 0);
  for (const auto& [at, value] : {std::pair{2u, std::uint32_t(bmp.size())}, {10u, bmp[10] + extra}, {14u, size}})
    for (std::uint32_t i = 0; i < 4; ++i) bmp[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
  return bmp;
}

TEST(EncodeBmp, LongerInformationHeadersEncodeLikeTheShortOne) {
  const Bytes rgb = Bmp24Of(5, 3, Scattered);
  const Bytes masked = PackedBmp(2, 16, 3, kMasks565, {{0x34, 0x12, 0x68, 0x24}, {0x9C, 0x36, 0xD0, 0x48}});
  const Bytes mono = Bmp1Of(5, 3, true, [](int x, int y) { return (x + y) % 2 == 0; });
  for (const auto& [bmp, depths] :
       {std::pair{rgb, std::vector{8, 12, 16, 24}}, {masked, {8, 12, 16}}, {mono, {1}}}) {
    for (std::uint32_t size : {108u, 124u}) {
      const Bytes longer = WithInfoHeader(bmp, size);
      ASSERT_TRUE(CheckUserBmp(longer).ok) << size;
      for (int depth : depths) EXPECT_EQ(EncodeBmp(longer, depth).bytes, EncodeBmp(bmp, depth).bytes) << depth;
      if (bmp[28] != 1) EXPECT_EQ(EncodeCompressedBmp(longer, {}).bytes, EncodeCompressedBmp(bmp, {}).bytes) << size;
    }
  }
}

TEST(EncodeBmp, ThirtyTwoBitBmpsWithTheirMasksAreCompressedLikeTwentyFourBitOnes) {
  const Bytes masks{0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0, 0, 0, 0, 0};
  const Bytes bgra = PackedBmp(2, 32, 3, masks, {{1, 2, 3, 0, 250, 251, 252, 0}});
  EXPECT_TRUE(CheckUserBmp(bgra).ok);
  EXPECT_EQ(EncodeCompressedBmp(bgra, {}).bytes, EncodeCompressedBmp(Bmp24({{{1, 2, 3}, {250, 251, 252}}}), {}).bytes);
}

TEST(EncodeBmp, DepthsAndBitCountsThatDoNotFitAreRefused) {
  const Bytes rgb = Bmp24Of(2, 2, Scattered);
  const Bytes mono = Bmp1Of(2, 2, false, [](int, int) { return true; });
  // Depth 24 copies the BMP's pixel bytes, which only a 24-bit BMP has.
  const Bytes rgb16 = PackedBmp(2, 16, 0, {}, {{1, 0, 1, 0}, {1, 0, 1, 0}});
  for (const auto& [bmp, depth] : {std::pair{rgb, 1}, {rgb, 4}, {rgb, 32}, {mono, 16}, {rgb16, 24}})
    EXPECT_EQ(EncodeBmp(bmp, depth).outcome.message, msg::kColourDepthUnsupported) << depth;
  EXPECT_EQ(EncodeCompressedBmp(mono, {}).outcome.message, msg::kColourDepthUnsupported);
}

TEST(CheckUserBmp, RefusesLyingHeadersCompressedRowsAndUnknownMasks) {
  const Bytes good = Bmp24Of(3, 2, Scattered);
  EXPECT_TRUE(CheckUserBmp(good).ok);
  auto with = [](std::size_t at, std::uint32_t value, Bytes b) {
    for (int i = 0; i < 4; ++i) b[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
    return b;
  };
  const Bytes shortFile(good.begin(), good.end() - 1);
  for (const Bytes& bad :  // the last: bit fields whose masks would lie where the pixels are
       {shortFile, with(30, 1, good) /* RLE8 */, with(14, 12, good), with(14, 108, good) /* past the pixel offset */,
        with(10, 4000, good), with(18, 0, good), with(22, 5000, good), with(26, 0x180002, good), with(28, 2, good),
        with(0, 0x4D41, good), Bytes{'B', 'M', 0}, PackedBmp(2, 16, 3, {}, {{0, 0, 0, 0}})})
    EXPECT_EQ(CheckUserBmp(bad).message, msg::kBmpOpenFailed);
  const Bytes masked = PackedBmp(2, 16, 3, kMasks565, {{0, 0, 0, 0}});
  for (const Bytes& ok : {masked, PackedBmp(1, 16, 0, {}, {{0, 0}}) /* 5-5-5 without bit fields */,
                          PackedBmp(1, 16, 3, Bytes(kMasks565.begin(), kMasks565.begin() + 12), {{0, 0}}),
                          PackedBmp(1, 16, 3, kMasks555, {{0, 0}})})
    EXPECT_TRUE(CheckUserBmp(ok).ok);
  EXPECT_EQ(CheckUserBmp(with(54, 0x0F00, masked)).message, msg::kColourDepthUnsupported);
}

TEST(MakeBottomUp, ATopDownBmpEncodesLikeItsBottomUpTwin) {
  const Bytes bottomUp = Bmp24Of(3, 4, Scattered);
  Bytes topDown = bottomUp;
  ASSERT_TRUE(TransformBmp(topDown, 1));  // the rows in top-down order, then height -4
  std::copy_n(Bytes{0xFC, 0xFF, 0xFF, 0xFF}.begin(), 4, topDown.begin() + 22);
  ASSERT_TRUE(CheckUserBmp(topDown).ok);
  MakeBottomUp(topDown);
  EXPECT_EQ(topDown, bottomUp);
}

}  // namespace
}  // namespace korvana::pictures
