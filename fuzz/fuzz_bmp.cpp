// A user's BMP through the replacement pipeline: ReadBmpInfo, the turns,
// ConvertBmpTo24 and StripBmp, in the order the picture replacement runs
// them. The first byte picks the turn (0 none, 1..4 the modes, the rest an
// invalid mode); the file follows.
//
// The encoders (8-, 12-, 16-bit, mono and the compressor) belong at the one
// place marked below: each takes the stripped rows the steps before produce.

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "fuzz_support.h"
#include "pictures/bmp_operations.h"
#include "pictures/picture_entry.h"

using namespace korvana::pictures;

namespace {
// Sides beyond this make every step slow without reaching new code: the
// header checks refuse kMaxPictureSide and above, which stays tested.
constexpr std::int64_t kLargestFuzzedPixels = 512 * 512;

void RunPipeline(BmpInfo info, int turn) {
  std::vector<std::uint8_t> bmp = std::move(info.bytes);
  if (turn != 0) {
    const std::vector<std::uint8_t> kept = bmp;
    if (!TransformBmp(bmp, turn) && bmp != kept) std::abort();  // a refusal changes nothing
  }
  (void)Bmp16Layout(bmp);
  {
    const std::vector<std::uint8_t> kept = bmp;
    if (!ConvertBmpTo24(bmp) && bmp != kept) std::abort();
  }
  // The replacement strips with the numbers ReadBmpInfo reported, whatever
  // the steps before did to the header.
  std::vector<std::uint8_t> rows = bmp;
  const auto kept = StripBmp(rows, info.width, info.height, 24);
  if (kept && static_cast<std::size_t>(*kept) != rows.size()) std::abort();
  std::vector<std::uint8_t> asIs = bmp;
  (void)StripBmp(asIs, info.width, info.height, info.bits);
  // Encoders: EncodeMonoPicture / ConvertBmpTo8/12/16 / CompressPicture go here.
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  korvana::fuzz::Cursor in(data, size);
  const int turn = in.Byte() % 6;
  const auto rest = in.Rest();
  BmpInfo info = ReadBmpInfoFromBytes(std::vector<std::uint8_t>(rest.begin(), rest.end()));
  if (!info.outcome.ok) return 0;
  const std::int64_t w = info.width < 0 ? -info.width : info.width;
  const std::int64_t h = info.height < 0 ? -info.height : info.height;
  if (w <= kMaxPictureSide && h <= kMaxPictureSide && w * h > kLargestFuzzedPixels) return 0;
  RunPipeline(std::move(info), turn);
  return 0;
}
