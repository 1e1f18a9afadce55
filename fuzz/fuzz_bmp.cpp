// A user's BMP through the whole replacement pipeline. The input is a turn
// byte (0 none, 1..4 the TransformBmp modes, 5 an invalid mode), a byte that
// picks the depth of the frame to replace, then the BMP file.
//
//   1. ReadBmpInfo and the BMP operations on their own: the turn,
//      ConvertBmpTo24, StripBmp with the numbers ReadBmpInfo reported;
//   2. the encoders on their own: ConvertBmpTo8/12/16, EncodeMonoPicture,
//      CompressPicture over the stripped rows;
//   3. the replacement as the editor runs it: LoadNewPicture (CheckUserBmp,
//      MakeBottomUp, the encoding or compression), TurnNewPicture and
//      ReplaceFrame into a small image, which must stay its size.

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "fuzz_support.h"
#include "image/handset_image.h"
#include "pictures/bmp_encoders.h"
#include "pictures/bmp_operations.h"
#include "pictures/picture_compression.h"
#include "pictures/picture_entry.h"
#include "pictures/picture_list.h"
#include "pictures/picture_replacement.h"

using namespace korvana;
using namespace korvana::pictures;

namespace {
// Sides beyond this make every step slow without reaching new code: the
// header checks refuse kMaxPictureSide and above, which stays tested.
constexpr std::int64_t kLargestFuzzedPixels = 256 * 256;
constexpr std::size_t kImageSize = 1 << 16;

// A refusal leaves the bytes as they were.
template <typename Step>
void Refusing(const std::vector<std::uint8_t>& bmp, Step step) {
  std::vector<std::uint8_t> copy = bmp;
  if (!step(copy) && copy != bmp) std::abort();
}

void Operations(const BmpInfo& info, int turn) {
  std::vector<std::uint8_t> bmp = info.bytes;
  if (turn != 0) {
    Refusing(bmp, [turn](auto& b) { return TransformBmp(b, turn); });
    (void)TransformBmp(bmp, turn);
  }
  (void)Bmp16Layout(bmp);
  Refusing(bmp, [](auto& b) { return ConvertBmpTo24(b); });
  Refusing(bmp, [](auto& b) { return ConvertBmpTo8(b); });
  Refusing(bmp, [](auto& b) { return ConvertBmpTo12(b); });
  Refusing(bmp, [](auto& b) { return ConvertBmpTo16(b); });
  (void)EncodeMonoPicture(bmp);

  std::vector<std::uint8_t> rows = bmp;
  if (ConvertBmpTo16(rows)) {
    const auto kept = StripBmp(rows, info.width, info.height < 0 ? -info.height : info.height, 16);
    if (kept && static_cast<std::size_t>(*kept) != rows.size()) std::abort();
    if (kept) (void)CompressPicture(rows, [](std::int64_t) { return true; });
  }
  std::vector<std::uint8_t> asIs = bmp;
  (void)StripBmp(asIs, info.width, info.height, info.bits);
}

void Replacement(const std::vector<std::uint8_t>& file, const BmpInfo& info, int turn, std::uint8_t depthPick) {
  static constexpr const char* kDepths[] = {"1", "4", "8", "12", "16", "24", "16*", "32"};
  const char* depth = kDepths[depthPick % 8];
  const std::int64_t w = info.width;
  const std::int64_t h = info.height < 0 ? -info.height : info.height;
  // The frame takes the BMP's size; a BMP beyond the sides the table allows
  // is refused by LoadNewPicture's check, reached with a 1*1 frame below.
  const bool fits = w > 0 && h > 0 && w <= kMaxPictureSide && h <= kMaxPictureSide;
  const std::int64_t fw = fits ? w : 1;
  const std::int64_t fh = fits ? h : 1;
  PictureList list;
  const std::string frameSize = std::to_string((depthPick & 0x80) != 0 ? 7 : fw * fh * 3);
  list.SetRows({{"001", "P", "0X00000010", "1", frameSize, std::to_string(fw) + "*" + std::to_string(fh), depth}});
  const TargetRead read = ReplacementTargetOf(list, 0, 1);
  if (!read.outcome.ok) return;
  const auto progress = [](std::int64_t) { return true; };
  NewPicture picture;
  if (!LoadNewPicture(file, read.target, picture, progress).ok && picture.loaded) std::abort();
  if (!picture.loaded) return;
  if (turn >= 1 && turn <= 4) (void)TurnNewPicture(picture, turn, read.target, progress);
  image::HandsetImage image;
  image.Assign(std::vector<std::uint8_t>(kImageSize, 0x5A), "fw.bin");
  const auto yes = [](std::string_view, std::string_view) { return app::Answer::kYes; };
  (void)ReplaceFrame(image, list, read.target, picture, yes);
  if (image.Size() != static_cast<std::int64_t>(kImageSize)) std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Cursor in(data, size);
  const int turn = in.Byte() % 6;
  const std::uint8_t depthPick = in.Byte();
  const auto rest = in.Rest();
  const std::vector<std::uint8_t> file(rest.begin(), rest.end());
  const BmpInfo info = ReadBmpInfoFromBytes(file);
  if (!info.outcome.ok) return 0;
  const std::int64_t w = info.width < 0 ? -info.width : info.width;
  const std::int64_t h = info.height < 0 ? -info.height : info.height;
  if (w <= kMaxPictureSide && h <= kMaxPictureSide && w * h > kLargestFuzzedPixels) return 0;
  Operations(info, turn);
  Replacement(file, info, turn, depthPick);
  return 0;
}
