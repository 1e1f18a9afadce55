#include "pictures/picture_encoding.h"

#include <algorithm>

#include "pictures/bmp_encoders.h"
#include "pictures/bmp_file.h"
#include "pictures/bmp_operations.h"
#include "pictures/picture_compression.h"
#include "pictures/picture_entry.h"

namespace korvana::pictures {

namespace {
constexpr std::uint32_t kMinInfoHeaderSize = 40;
// With bit fields the three masks lie at 54 whatever the header size: right
// after a 40-byte header, inside the longer ones.
constexpr std::size_t kRedMaskAt = 54;
constexpr std::size_t kGreenMaskAt = 58;
constexpr std::size_t kBlueMaskAt = 62;
constexpr std::int64_t kMasksEnd = 66;

Outcome Refused(int message, std::string detail) { return Outcome::Failure(message, "BMP: " + std::move(detail)); }

bool KnownMasks(std::span<const std::uint8_t> bmp, int bits) {
  const std::uint32_t red = ReadLe32(bmp, kRedMaskAt);
  const std::uint32_t green = ReadLe32(bmp, kGreenMaskAt);
  const std::uint32_t blue = ReadLe32(bmp, kBlueMaskAt);
  if (bits == 32) return red == 0x00FF0000 && green == 0x0000FF00 && blue == 0x000000FF;
  return blue == 0x001F && ((red == 0xF800 && green == 0x07E0) || (red == 0x7C00 && green == 0x03E0));
}

EncodedPicture Failed(int message, std::string detail) { return {Refused(message, std::move(detail)), {}}; }

// Rows reversed and cut to their pixels: what every uncompressed path ends
// with after its conversion.
EncodedPicture Stripped(std::vector<std::uint8_t> bmp, int bits) {
  const BmpLayout l = ReadBmpLayout(bmp);
  if (!TransformBmp(bmp, 1)) return Failed(msg::kBmpConvertFailed, "rows cannot be reordered");
  if (!StripBmp(bmp, l.width, l.height, bits)) return Failed(msg::kBmpConvertFailed, "rows outside the file");
  return {Outcome::Success(), std::move(bmp)};
}
}  // namespace

Outcome CheckUserBmp(std::span<const std::uint8_t> bmp) {
  if (bmp.size() < kBmpHeaderSize || bmp[0] != 'B' || bmp[1] != 'M') {
    return Refused(msg::kBmpOpenFailed, "not a BMP file");
  }
  const BmpLayout l = ReadBmpLayout(bmp);
  const std::uint32_t infoSize = ReadLe32(bmp, kBmpInfoSizeAt);
  if (infoSize < kMinInfoHeaderSize || static_cast<std::int64_t>(kBmpInfoSizeAt) + infoSize > l.pixelOffset) {
    return Refused(msg::kBmpOpenFailed, "information header of " + std::to_string(infoSize) + " bytes");
  }
  if (ReadLe16(bmp, kBmpPlanesAt) != 1) return Refused(msg::kBmpOpenFailed, "planes other than 1");
  const int bits = l.bitCount;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) {
    return Refused(msg::kBmpOpenFailed, std::to_string(bits) + " bits per pixel");
  }
  const std::uint32_t compression = ReadLe32(bmp, kBmpCompressionAt);
  const bool bitFields = compression == kBmpCompressionBitFields && (bits == 16 || bits == 32);
  if (compression != kBmpCompressionNone && !bitFields) {
    return Refused(msg::kBmpOpenFailed, "compression " + std::to_string(compression));
  }
  const std::int64_t height = l.height < 0 ? -l.height : l.height;
  if (l.width <= 0 || height == 0 || l.width > kMaxPictureSide || height > kMaxPictureSide) {
    return Refused(msg::kBmpOpenFailed, "size " + std::to_string(l.width) + " x " + std::to_string(l.height));
  }
  if (l.pixelOffset + BmpRowSize(l.width, bits) * height > static_cast<std::int64_t>(bmp.size())) {
    return Refused(msg::kBmpOpenFailed, "pixel rows run past the end of the file");
  }
  // Some writers mark a 40-byte header with bit fields and put the pixels
  // right after it, where the masks belong: the layout is then unknown.
  if (bitFields && l.pixelOffset < kMasksEnd) {
    return Refused(msg::kBmpOpenFailed, "bit fields without their masks");
  }
  if (bitFields && !KnownMasks(bmp, bits)) {
    return Refused(msg::kColourDepthUnsupported, "bit field masks of an unknown layout");
  }
  return Outcome::Success();
}

void MakeBottomUp(std::vector<std::uint8_t>& bmp) {
  const BmpLayout l = ReadBmpLayout(bmp);
  if (l.height >= 0) return;
  const std::int64_t height = -l.height;
  const std::int64_t stride = BmpRowSize(l.width, l.bitCount);
  if (l.pixelOffset + stride * height > static_cast<std::int64_t>(bmp.size())) return;
  for (std::int64_t top = 0, bottom = height - 1; top < bottom; ++top, --bottom) {
    std::swap_ranges(bmp.begin() + l.pixelOffset + top * stride, bmp.begin() + l.pixelOffset + (top + 1) * stride,
                     bmp.begin() + l.pixelOffset + bottom * stride);
  }
  WriteLe32(bmp, kBmpHeightAt, static_cast<std::uint32_t>(height));
}

EncodedPicture EncodeBmp(std::vector<std::uint8_t> bmp, std::int64_t depth) {
  const BmpLayout l = ReadBmpLayout(bmp);
  const int bits = l.bitCount;
  if (depth == 1) {
    if (bits != 1) return Failed(msg::kColourDepthUnsupported, "a depth-1 picture takes a 1-bit BMP");
    if (!TransformBmp(bmp, 1)) return Failed(msg::kBmpConvertFailed, "rows cannot be reordered");
    std::optional<std::vector<std::uint8_t>> pages = EncodeMonoPicture(bmp);
    if (!pages) return Failed(msg::kBmpConvertFailed, "1-bit rows cannot be read");
    return {Outcome::Success(), std::move(*pages)};
  }
  if (depth != 8 && depth != 12 && depth != 16 && depth != 24) {
    return Failed(msg::kColourDepthUnsupported, "no encoder for depth " + std::to_string(depth));
  }
  if (bits != 8 && bits != 16 && bits != 24) {
    return Failed(msg::kColourDepthUnsupported, std::to_string(bits) + "-bit BMPs are not taken at this depth");
  }
  // Depth 24 stores the BMP's own pixel bytes: only a 24-bit BMP has them.
  if (depth == 24) {
    if (bits != 24) return Failed(msg::kColourDepthUnsupported, "a depth-24 picture takes a 24-bit BMP");
    return Stripped(std::move(bmp), 24);
  }
  if (!TransformBmp(bmp, 1)) return Failed(msg::kBmpConvertFailed, "rows cannot be reordered");
  bool converted = true;
  if (depth == 8) converted = ConvertBmpTo8(bmp);
  if (depth == 12) converted = ConvertBmpTo12(bmp);
  const bool already565 = bits == 16 && Bmp16Layout(bmp) == kBmp16Layout565;
  if (depth == 16 && !already565) converted = ConvertBmpTo16(bmp);
  if (!converted) return Failed(msg::kBmpConvertFailed, "colour conversion failed");
  // The rows are top first already: strip without reversing them again.
  if (!StripBmp(bmp, l.width, l.height, static_cast<int>(depth))) {
    return Failed(msg::kBmpConvertFailed, "rows outside the file");
  }
  return {Outcome::Success(), std::move(bmp)};
}

EncodedPicture PixelsForCompression(std::vector<std::uint8_t> bmp) {
  const BmpLayout l = ReadBmpLayout(bmp);
  if (l.bitCount != 8 && l.bitCount != 16 && l.bitCount != 24 && l.bitCount != 32) {
    return Failed(msg::kColourDepthUnsupported, std::to_string(l.bitCount) + "-bit BMPs cannot be compressed");
  }
  const bool already565 = l.bitCount == 16 && Bmp16Layout(bmp) == kBmp16Layout565;
  if (!already565 && !ConvertBmpTo16(bmp)) return Failed(msg::kBmpConvertFailed, "colour conversion failed");
  return Stripped(std::move(bmp), 16);
}

EncodedPicture EncodeCompressedBmp(std::vector<std::uint8_t> bmp, const ProgressFn& progress) {
  EncodedPicture pixels = PixelsForCompression(std::move(bmp));
  if (!pixels.outcome.ok) return pixels;
  std::optional<std::vector<std::uint8_t>> packed = CompressPicture(pixels.bytes, progress);
  if (!packed) return {Outcome::Silent(), {}};
  return {Outcome::Success(), std::move(*packed)};
}

}  // namespace korvana::pictures
