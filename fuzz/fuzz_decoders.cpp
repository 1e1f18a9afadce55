// The three decoders over a fuzzed image and a fuzzed table row: the input
// is one picture table line, a 0 byte, then the image. The row goes through
// the table reader and ParsePictureEntry as the picture tab's commands take
// it, then every frame (up to a few) is decoded. A row the reader refuses is
// still decoded with the numbers taken raw from the front of the image, so
// the decoders also see shapes no table would give them.

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "fuzz_support.h"
#include "pictures/picture_entry.h"
#include "pictures/picture_table.h"
#include "pictures/stored_picture_format.h"

using namespace korvana::pictures;

namespace {
// Decoding a 4096-square frame is slow and reaches no code a small one does
// not; the refusals above kMaxPictureSide are cheap and stay in.
constexpr std::int64_t kLargestFuzzedPixels = 256 * 256;
constexpr std::int64_t kFramesPerRow = 3;

bool WorthDecoding(const PictureShape& shape) {
  if (shape.width < 0 || shape.height < 0 || shape.width > kMaxPictureSide || shape.height > kMaxPictureSide) {
    return true;  // refused at once
  }
  return shape.width * shape.height <= kLargestFuzzedPixels;
}

void CheckBmp(const DecodedBmp& bmp) {
  if (!bmp.Ok()) {
    if (!bmp.bytes.empty()) std::abort();
    return;
  }
  // A BMP whose declared file size is the size of its bytes.
  if (bmp.bytes.size() < 54 || bmp.bytes[0] != 'B' || bmp.bytes[1] != 'M') std::abort();
  const std::uint32_t declared = static_cast<std::uint32_t>(bmp.bytes[2] | bmp.bytes[3] << 8 | bmp.bytes[4] << 16) |
                                 static_cast<std::uint32_t>(bmp.bytes[5]) << 24;
  if (declared != bmp.bytes.size()) std::abort();
}

void DecodeShape(std::span<const std::uint8_t> image, const PictureShape& shape, const Palette16& palette) {
  if (!WorthDecoding(shape)) return;
  const std::int64_t frames = shape.count < 0 ? 1 : std::min<std::int64_t>(shape.count, kFramesPerRow);
  for (std::int64_t k = 0; k < frames; ++k) CheckBmp(DecodeFrame(image, shape, k, palette));
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  korvana::fuzz::Cursor in(data, size);
  const std::string_view line = in.Word0();
  const std::span<const std::uint8_t> image = in.Rest();
  Palette16 palette{};
  for (std::size_t i = 0; i < palette.size(); ++i) palette[i] = static_cast<std::uint8_t>(i * 37);

  const PictureTableRead read = ParsePictureTable(line, PictureTableOptions{});
  for (const PictureEntry& row : read.rows) {
    const ParsedPicture parsed = ParsePictureEntry(row);
    if (parsed.Ok()) DecodeShape(image, parsed.shape, palette);
  }

  korvana::fuzz::Cursor raw(image.data(), image.size());
  PictureShape shape;
  shape.address = static_cast<std::int32_t>(raw.Long());
  shape.width = static_cast<std::int16_t>(raw.Word());
  shape.height = static_cast<std::int16_t>(raw.Word());
  static constexpr std::int64_t kDepths[] = {1, 4, 8, 12, 16, 24, 2, 32};
  const std::uint8_t pick = raw.Byte();
  shape.depth = kDepths[pick % 8];
  shape.compressed = (pick & 0x80) != 0;
  shape.count = 1;
  if (!WorthDecoding(shape)) return 0;
  CheckBmp(DecodeFrame(image, shape, 0, palette));
  CheckBmp(DecodePicture(image, shape.address, shape.width, shape.height, shape.depth, palette));
  CheckBmp(DecodeMonoPicture(image, shape.address, shape.width, shape.height));
  CheckBmp(DecodeCompressedPicture(image, shape.address, shape.width, shape.height));
  return 0;
}
