#include "pictures/stored_picture_format.h"

#include <algorithm>

#include "app/shared_texts.h"
#include "image/file_read.h"
#include "image/path.h"
#include "pictures/bmp_file.h"
#include "pictures/bmp_operations.h"

namespace korvana::pictures {

namespace {
// The bit masks of the 16-bit BMP with compression 3: red F800, green 07E0,
// blue 001F, then a zero word.
constexpr std::array<std::uint8_t, 16> kMasks565{0x00, 0xF8, 0, 0, 0xE0, 0x07, 0, 0, 0x1F, 0, 0, 0, 0, 0, 0, 0};
constexpr std::array<std::uint8_t, 8> kMonoPalette{0x00, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0x00};
constexpr int kFourBitLevel = 17;  // 0..15 spread over 0..255

// Reads of the image: an index outside it gives 0.
class ImageReader {
 public:
  explicit ImageReader(std::span<const std::uint8_t> image) : m_image(image) {}
  [[nodiscard]] std::uint8_t operator[](std::int64_t i) const {
    return i >= 0 && static_cast<std::uint64_t>(i) < m_image.size() ? m_image[static_cast<std::size_t>(i)] : 0;
  }

 private:
  std::span<const std::uint8_t> m_image;
};

bool SizeInRange(std::int64_t width, std::int64_t height) {
  return width >= 0 && height >= 0 && width <= kMaxPictureSide && height <= kMaxPictureSide;
}

std::int64_t FloorHalf(std::int64_t v) { return v >= 0 ? v / 2 : -((-v + 1) / 2); }

// round(twice / 2) with halves going to the even neighbour.
std::int64_t RoundHalves(std::int64_t twice) {
  const std::int64_t low = FloorHalf(twice);
  if (twice % 2 == 0) return low;
  return low % 2 == 0 ? low : low + 1;
}

std::uint8_t ThreeBitLevel(unsigned v) { return static_cast<std::uint8_t>((v * 255 + 3) / 7); }
std::uint8_t TwoBitLevel(unsigned v) { return static_cast<std::uint8_t>(v * 85); }

// The BMP of header, table and pixels, made 24-bit and turned upright.
DecodedBmp Finish(std::vector<std::uint8_t> header, std::span<const std::uint8_t> table,
                  const std::vector<std::uint8_t>& pixels) {
  DecodedBmp out;
  out.bytes = std::move(header);
  out.bytes.insert(out.bytes.end(), table.begin(), table.end());
  out.bytes.insert(out.bytes.end(), pixels.begin(), pixels.end());
  ConvertBmpTo24(out.bytes);
  TransformBmp(out.bytes, 1);
  return out;
}

// Depths 4, 16, 24: the stored rows copied as BMP rows. A row holds
// round(b * W - 1) + 1 bytes from round(b * r * W + i + address), b being the
// bytes per pixel, padded with round(R - b * W) zeros; everything is counted
// in half bytes so that depth 4 rounds exactly as the firmware tool did.
std::vector<std::uint8_t> CopiedRows(const ImageReader& at, std::int64_t address, std::int64_t width,
                                     std::int64_t height, std::int64_t depth, std::int64_t rowSize) {
  const std::int64_t halvesPerPixel = depth / 4;  // b * 2
  const std::int64_t rowHalves = halvesPerPixel * width;
  const std::int64_t lastIndex = RoundHalves(rowHalves - 2);
  const std::int64_t zeros = std::max<std::int64_t>(0, RoundHalves(2 * rowSize - rowHalves));
  std::vector<std::uint8_t> pixels;
  pixels.reserve(static_cast<std::size_t>(rowSize * height));
  for (std::int64_t r = 0; r < height; ++r) {
    for (std::int64_t i = 0; i <= lastIndex; ++i) pixels.push_back(at[RoundHalves(r * rowHalves + 2 * (i + address))]);
    pixels.insert(pixels.end(), static_cast<std::size_t>(zeros), 0);
  }
  return pixels;
}

std::vector<std::uint8_t> EightBitRows(const ImageReader& at, std::int64_t address, std::int64_t width,
                                       std::int64_t height, std::int64_t rowSize) {
  std::vector<std::uint8_t> pixels(static_cast<std::size_t>(rowSize * height), 0);
  for (std::int64_t r = 0; r < height; ++r) {
    std::uint8_t* dst = pixels.data() + r * rowSize;
    for (std::int64_t x = 0; x < width; ++x, dst += 3) {
      const unsigned v = at[address + r * width + x];
      dst[0] = ThreeBitLevel(v >> 5);
      dst[1] = ThreeBitLevel((v >> 2) & 7);
      dst[2] = TwoBitLevel(v & 3);
    }
  }
  return pixels;
}

std::vector<std::uint8_t> TwelveBitRows(const ImageReader& at, std::int64_t address, std::int64_t width,
                                        std::int64_t height, std::int64_t rowSize) {
  const std::int64_t stored = (3 * width + 1) / 2;  // ceil(1.5 * W)
  std::vector<std::uint8_t> pixels(static_cast<std::size_t>(rowSize * height), 0);
  auto put = [](std::uint8_t*& dst, unsigned red, unsigned green, unsigned blue) {
    *dst++ = static_cast<std::uint8_t>(blue * kFourBitLevel);
    *dst++ = static_cast<std::uint8_t>(green * kFourBitLevel);
    *dst++ = static_cast<std::uint8_t>(red * kFourBitLevel);
  };
  for (std::int64_t r = 0; r < height; ++r) {
    std::uint8_t* dst = pixels.data() + r * rowSize;
    for (std::int64_t k = 0, x = 0; x < width; k += 3, x += 2) {
      const std::int64_t g = address + r * stored + k;
      const unsigned b0 = at[g], b1 = at[g + 1], b2 = at[g + 2];
      put(dst, b0 >> 4, b0 & 15, b1 >> 4);
      if (x + 1 < width) put(dst, b1 & 15, b2 >> 4, b2 & 15);
    }
  }
  return pixels;
}
}  // namespace

Palette16 LoadPalette16(std::string_view folder, std::string_view fallbackFolder) {
  constexpr std::int64_t kMaxPaletteFileSize = 1 << 20;
  Palette16 palette{};
  image::FileBytes file = image::ReadWholeFile(image::JoinPath(folder, app::kPaletteFileName), kMaxPaletteFileSize);
  if (!file.Ok() && !fallbackFolder.empty()) {
    file = image::ReadWholeFile(image::JoinPath(fallbackFolder, app::kPaletteFileName), kMaxPaletteFileSize);
  }
  if (file.Ok()) std::copy_n(file.bytes.begin(), std::min(file.bytes.size(), palette.size()), palette.begin());
  return palette;
}

DecodedBmp DecodePicture(std::span<const std::uint8_t> image, std::int64_t address, std::int64_t width,
                         std::int64_t height, std::int64_t depth, const Palette16& palette) {
  if (depth != 4 && depth != 8 && depth != 12 && depth != 16 && depth != 24) {
    return {{}, DecodeError::kUnsupportedDepth};
  }
  if (!SizeInRange(width, height)) return {{}, DecodeError::kTooLarge};
  const ImageReader at(image);
  if (depth == 8 || depth == 12) {
    const std::int64_t rowSize = BmpRowSize(width, 24);
    auto pixels = depth == 8 ? EightBitRows(at, address, width, height, rowSize)
                             : TwelveBitRows(at, address, width, height, rowSize);
    return Finish(BmpHeader(width, height, 24, kBmpCompressionNone, 0, rowSize * height), {}, pixels);
  }
  const std::int64_t rowSize = BmpRowSize(width, depth);
  const auto pixels = CopiedRows(at, address, width, height, depth, rowSize);
  const std::span<const std::uint8_t> table = depth == 4    ? std::span<const std::uint8_t>(palette)
                                              : depth == 16 ? std::span<const std::uint8_t>(kMasks565)
                                                            : std::span<const std::uint8_t>();
  const std::uint32_t compression = depth == 16 ? kBmpCompressionBitFields : kBmpCompressionNone;
  return Finish(BmpHeader(width, height, static_cast<int>(depth), compression, table.size(), rowSize * height), table,
                pixels);
}

DecodedBmp DecodeMonoPicture(std::span<const std::uint8_t> image, std::int64_t address, std::int64_t width,
                             std::int64_t height) {
  if (!SizeInRange(width, height)) return {{}, DecodeError::kTooLarge};
  const ImageReader at(image);
  const std::int64_t rowSize = BmpRowSize(width, 1);
  DecodedBmp out;
  out.bytes = BmpHeader(width, height, 1, kBmpCompressionNone, kMonoPalette.size(), rowSize * height);
  out.bytes.insert(out.bytes.end(), kMonoPalette.begin(), kMonoPalette.end());
  out.bytes.reserve(out.bytes.size() + static_cast<std::size_t>(rowSize * height));
  // File order is bottom-up: the last picture row first. A set stored bit is
  // black, palette entry 0.
  for (std::int64_t y = height - 1; y >= 0; --y) {
    const std::size_t rowStart = out.bytes.size();
    std::uint8_t acc = 0;
    int bit = 7;
    for (std::int64_t x = 0; x < width; ++x) {
      const unsigned stored = at[address + (y / 8) * width + x];
      const unsigned white = 1 - ((stored >> (y % 8)) & 1);
      acc = static_cast<std::uint8_t>(acc | white << bit);
      if (bit == 0) {
        out.bytes.push_back(acc);
        acc = 0;
        bit = 7;
      } else {
        --bit;
      }
    }
    if (bit != 7) out.bytes.push_back(acc);
    out.bytes.resize(rowStart + static_cast<std::size_t>(rowSize), 0);
  }
  return out;
}

DecodedBmp DecodeCompressedPicture(std::span<const std::uint8_t> image, std::int64_t address, std::int64_t width,
                                   std::int64_t height) {
  if (!SizeInRange(width, height)) return {{}, DecodeError::kTooLarge};
  const ImageReader at(image);
  const std::int64_t rowSize = BmpRowSize(width, 16);
  const std::int64_t size = rowSize * height;
  const std::int64_t paletteCount = at[address + 1];
  const std::int64_t stream = address + 2 + 2 * paletteCount;
  std::vector<std::uint8_t> work(static_cast<std::size_t>(size), 0);
  std::int64_t p = 0;
  auto put = [&](std::uint8_t lo, std::uint8_t hi) {
    if (lo == 0x01 && hi == 0x00) lo = hi = 0xFF;  // the word 0001 is drawn white
    if (p + 1 < size) {
      work[static_cast<std::size_t>(p)] = lo;
      work[static_cast<std::size_t>(p + 1)] = hi;
    }
    p += 2;
  };
  auto putPalette = [&](std::int64_t index) { put(at[address + 2 + 2 * index], at[address + 3 + 2 * index]); };
  // The codes run until every pixel is drawn or the image ends. The stream
  // is not bounded by the frame size: an accepted compressed picture may be
  // longer than the 16-bit frame it replaced. Every code takes at least its
  // own byte, so the loop ends. Bytes before the image read as 0, a code
  // that draws nothing and takes one byte: they are passed in one step.
  const std::int64_t pixelBytes = 2 * width * height;
  const auto imageEnd = static_cast<std::int64_t>(image.size());
  for (std::int64_t n = std::max<std::int64_t>(0, -stream); p < pixelBytes && stream + n < imageEnd;) {
    const unsigned c = at[stream + n];
    const std::int64_t op = stream + n + 1;
    const std::int64_t count = c & 0x3F;
    switch (c >> 6) {
      case 0:  // literal words
        for (std::int64_t j = 0; j < count; ++j) put(at[op + 2 * j], at[op + 2 * j + 1]);
        n += 1 + 2 * count;
        break;
      case 1:  // palette indices
        for (std::int64_t j = 0; j < count; ++j) putPalette(at[op + j]);
        n += 1 + count;
        break;
      case 2:  // run of one word
        for (std::int64_t j = 0; j < count; ++j) put(at[op], at[op + 1]);
        n += 3;
        break;
      default:  // run of one palette colour
        for (std::int64_t j = 0; j < count; ++j) putPalette(at[op]);
        n += 2;
        break;
    }
  }
  // Pixels ran on without a gap; BMP rows of odd width need 2 padding bytes.
  std::vector<std::uint8_t> pixels = std::move(work);
  const std::int64_t used = 2 * width;
  if (rowSize != used) {
    std::vector<std::uint8_t> laid(static_cast<std::size_t>(size), 0);
    for (std::int64_t r = 0; r < height; ++r) {
      std::copy_n(pixels.begin() + r * used, used, laid.begin() + r * rowSize);
    }
    pixels = std::move(laid);
  }
  return Finish(BmpHeader(width, height, 16, kBmpCompressionBitFields, kMasks565.size(), size), kMasks565, pixels);
}

DecodedBmp DecodeFrame(std::span<const std::uint8_t> image, const PictureShape& shape, std::int64_t frameIndex,
                       const Palette16& palette) {
  const std::int64_t address = shape.FrameAddress(frameIndex);
  if (shape.compressed) return DecodeCompressedPicture(image, address, shape.width, shape.height);
  if (shape.depth == 1) return DecodeMonoPicture(image, address, shape.width, shape.height);
  return DecodePicture(image, address, shape.width, shape.height, shape.depth, palette);
}

}  // namespace korvana::pictures
