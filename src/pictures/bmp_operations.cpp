#include "pictures/bmp_operations.h"

#include <algorithm>
#include <array>

#include "image/file_read.h"
#include "pictures/bmp_file.h"
#include "pictures/picture_entry.h"

namespace korvana::pictures {

namespace {
constexpr std::size_t kMaskedPixelOffset = 70;  // 54 header bytes + four 4-byte masks
constexpr std::uint8_t kRedMask555High = 0x7C;
constexpr std::uint8_t kRedMask565High = 0xF8;

bool SizeInRange(std::int64_t width, std::int64_t height) {
  return width >= 0 && height >= 0 && width <= kMaxPictureSide && height <= kMaxPictureSide;
}

std::uint8_t ByteAt(std::span<const std::uint8_t> bytes, std::int64_t index) {
  return index >= 0 && static_cast<std::uint64_t>(index) < bytes.size() ? bytes[static_cast<std::size_t>(index)] : 0;
}

// A 5-bit component as 8 bits: round(c * 255 / 31); no value lands on a half.
constexpr std::array<std::uint8_t, 32> kFiveToEight = [] {
  std::array<std::uint8_t, 32> t{};
  for (int c = 0; c < 32; ++c) t[static_cast<std::size_t>(c)] = static_cast<std::uint8_t>((c * 255 + 15) / 31);
  return t;
}();

bool SupportedTransformBits(int bits) {
  return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

// Pixel access to the rows of a BMP, pixels below 8 bits packed high bits
// first; reads beyond the bytes give 0.
class PixelRows {
 public:
  PixelRows(std::span<const std::uint8_t> bytes, std::int64_t offset, std::int64_t width, int bits)
      : m_bytes(bytes), m_offset(offset), m_rowSize(BmpRowSize(width, bits)), m_bits(bits) {}

  [[nodiscard]] std::uint32_t Get(std::int64_t row, std::int64_t x) const {
    const std::int64_t rowStart = m_offset + row * m_rowSize;
    if (m_bits >= 8) {
      const int q = m_bits / 8;
      std::uint32_t v = 0;
      for (int i = 0; i < q; ++i) v |= static_cast<std::uint32_t>(ByteAt(m_bytes, rowStart + x * q + i)) << (8 * i);
      return v;
    }
    const std::int64_t bit = x * m_bits;
    const int shift = 8 - m_bits - static_cast<int>(bit % 8);
    return static_cast<std::uint32_t>(ByteAt(m_bytes, rowStart + bit / 8) >> shift) & ((1u << m_bits) - 1);
  }

  // Sets a pixel in out, whose row `row` starts at rowStart.
  static void Set(std::vector<std::uint8_t>& out, std::int64_t rowStart, std::int64_t x, int bits, std::uint32_t v) {
    if (bits >= 8) {
      const int q = bits / 8;
      for (int i = 0; i < q; ++i) {
        out[static_cast<std::size_t>(rowStart + x * q + i)] = static_cast<std::uint8_t>(v >> (8 * i));
      }
      return;
    }
    const std::int64_t bit = x * bits;
    const int shift = 8 - bits - static_cast<int>(bit % 8);
    auto& b = out[static_cast<std::size_t>(rowStart + bit / 8)];
    const auto mask = static_cast<std::uint8_t>(((1u << bits) - 1) << shift);
    b = static_cast<std::uint8_t>((b & ~mask) | ((v << shift) & mask));
  }

 private:
  std::span<const std::uint8_t> m_bytes;
  std::int64_t m_offset;
  std::int64_t m_rowSize;
  int m_bits;
};
}  // namespace

int Bmp16Layout(std::span<const std::uint8_t> bmp) {
  const int bits = ReadLe16(bmp, kBmpBitCountAt);
  if (bits != 16) return bits;
  const std::uint8_t compression = ByteAt(bmp, kBmpCompressionAt);
  int layout = kBmp16LayoutUnknown;
  if (compression == kBmpCompressionBitFields) {
    const std::uint8_t redHigh = ByteAt(bmp, kBmpRedMaskHighAt);
    if (redHigh == kRedMask565High) layout = kBmp16Layout565;
    if (redHigh == kRedMask555High) layout = kBmp16Layout555;
  }
  if (compression == kBmpCompressionNone) layout = kBmp16LayoutPlain;
  return layout;
}

bool ConvertBmpTo24(std::vector<std::uint8_t>& bmp) {
  if (bmp.size() < kBmpHeaderSize) return false;
  const BmpLayout in = ReadBmpLayout(bmp);
  if (in.bitCount == 24) return true;
  if ((in.bitCount != 16 && in.bitCount != 4) || !SizeInRange(in.width, in.height)) return false;
  const std::int64_t rowSize24 = BmpRowSize(in.width, 24);
  std::vector<std::uint8_t> out = BmpHeader(in.width, in.height, 24, kBmpCompressionNone, 0, rowSize24 * in.height);
  out.resize(kBmpHeaderSize + static_cast<std::size_t>(rowSize24 * in.height), 0);
  const PixelRows rows(bmp, in.pixelOffset, in.width, in.bitCount);
  const bool is555 = in.pixelOffset != static_cast<std::int64_t>(kMaskedPixelOffset) ||
                     ByteAt(bmp, kBmpRedMaskHighAt) == kRedMask555High;
  for (std::int64_t r = 0; r < in.height; ++r) {
    std::uint8_t* dst = out.data() + kBmpHeaderSize + r * rowSize24;
    for (std::int64_t x = 0; x < in.width; ++x, dst += 3) {
      const std::uint32_t v = rows.Get(r, x);
      if (in.bitCount == 16) {
        const unsigned red = is555 ? (v >> 10) & 31 : v >> 11;
        const unsigned green = is555 ? (v >> 5) & 31 : (v >> 6) & 31;
        dst[0] = kFiveToEight[v & 31];
        dst[1] = kFiveToEight[green];
        dst[2] = kFiveToEight[red];
      } else {
        // The palette runs from the end of the headers up to the pixels.
        const std::int64_t entry = static_cast<std::int64_t>(kBmpHeaderSize) + 4 * std::int64_t{v};
        const bool inPalette = entry + 3 <= in.pixelOffset;
        for (int i = 0; i < 3; ++i) dst[i] = inPalette ? ByteAt(bmp, entry + i) : 0;
      }
    }
  }
  bmp = std::move(out);
  return true;
}

bool TransformBmp(std::vector<std::uint8_t>& bmp, int mode) {
  if (mode < 1 || mode > 4 || bmp.size() < kBmpHeaderSize) return false;
  const BmpLayout in = ReadBmpLayout(bmp);
  if (!SupportedTransformBits(in.bitCount) || !SizeInRange(in.width, in.height)) return false;
  if (in.pixelOffset < static_cast<std::int64_t>(kBmpHeaderSize) ||
      in.pixelOffset > static_cast<std::int64_t>(bmp.size())) {
    return false;
  }
  const bool turn = mode >= 3;
  const std::int64_t newWidth = turn ? in.height : in.width;
  const std::int64_t newHeight = turn ? in.width : in.height;
  const std::int64_t newRowSize = BmpRowSize(newWidth, in.bitCount);
  const std::int64_t pixelSize = newRowSize * newHeight;
  std::vector<std::uint8_t> out(bmp.begin(), bmp.begin() + in.pixelOffset);
  out.resize(static_cast<std::size_t>(in.pixelOffset + pixelSize), 0);
  const PixelRows rows(bmp, in.pixelOffset, in.width, in.bitCount);
  for (std::int64_t k = 0; k < newHeight; ++k) {
    const std::int64_t rowStart = in.pixelOffset + k * newRowSize;
    if (mode == 1) {
      // Whole rows, padding included, in reverse order.
      const std::int64_t from = in.pixelOffset + (in.height - 1 - k) * newRowSize;
      for (std::int64_t i = 0; i < newRowSize; ++i) out[static_cast<std::size_t>(rowStart + i)] = ByteAt(bmp, from + i);
      continue;
    }
    for (std::int64_t j = 0; j < newWidth; ++j) {
      std::uint32_t v = 0;
      if (mode == 2) v = rows.Get(k, in.width - 1 - j);
      if (mode == 3) v = rows.Get(j, in.width - 1 - k);
      if (mode == 4) v = rows.Get(in.height - 1 - j, k);
      PixelRows::Set(out, rowStart, j, in.bitCount, v);
    }
  }
  WriteLe32(out, kBmpFileSizeAt, static_cast<std::uint32_t>(out.size()));
  WriteLe32(out, kBmpWidthAt, static_cast<std::uint32_t>(newWidth));
  WriteLe32(out, kBmpHeightAt, static_cast<std::uint32_t>(newHeight));
  WriteLe32(out, kBmpImageSizeAt, static_cast<std::uint32_t>(pixelSize));
  bmp = std::move(out);
  return true;
}

std::optional<std::int64_t> StripBmp(std::vector<std::uint8_t>& bmp, std::int64_t width, std::int64_t height,
                                     int bits) {
  if (!SizeInRange(width, height) || bits < 1 || bits > 32) return std::nullopt;
  const std::int64_t offset = ReadLe32(bmp, kBmpPixelOffsetAt);
  const std::int64_t rowSize = BmpRowSize(width, bits);
  const std::int64_t keep = (width * bits + 7) / 8;
  if (height > 0 && offset + (height - 1) * rowSize + keep > static_cast<std::int64_t>(bmp.size())) {
    return std::nullopt;
  }
  std::vector<std::uint8_t> out;
  out.reserve(static_cast<std::size_t>(keep * height));
  for (std::int64_t r = 0; r < height; ++r) {
    const auto from = bmp.begin() + offset + r * rowSize;
    out.insert(out.end(), from, from + keep);
  }
  bmp = std::move(out);
  return keep * height;
}

BmpInfo ReadBmpInfoFromBytes(std::vector<std::uint8_t> bytes) {
  BmpInfo info;
  if (bytes.empty()) {
    info.outcome = Outcome::Failure(msg::kEmptyFile);
    return info;
  }
  if (bytes.size() < kBmpHeaderSize || bytes[0] != 'B' || bytes[1] != 'M') {
    info.outcome = Outcome::Failure(msg::kBmpOpenFailed, "not a BMP file");
    return info;
  }
  const BmpLayout l = ReadBmpLayout(bytes);
  info.width = l.width;
  info.height = l.height;
  info.bits = l.bitCount;
  info.layout = Bmp16Layout(bytes);
  info.headerSize = bytes[kBmpInfoSizeAt];
  info.bytes = std::move(bytes);
  return info;
}

BmpInfo ReadBmpInfo(std::string_view path) {
  image::FileBytes file = image::ReadWholeFile(path, kMaxBmpFileSize);
  if (!file.Ok()) {
    BmpInfo info;
    info.outcome = Outcome::Failure(msg::kBmpOpenFailed, "cannot read " + std::string(path));
    return info;
  }
  return ReadBmpInfoFromBytes(std::move(file.bytes));
}

}  // namespace korvana::pictures
