#include "pictures/bmp_encoders.h"

#include <array>

#include "pictures/bmp_file.h"
#include "pictures/bmp_operations.h"
#include "pictures/picture_entry.h"

namespace korvana::pictures {

namespace {
constexpr std::array<std::uint8_t, 16> kWorkingMasks{0x00, 0xF8, 0, 0, 0xE0, 0x07, 0, 0, 0x1F, 0, 0, 0, 0, 0, 0, 0};
constexpr std::size_t kPaletteEntrySize = 4;

struct Channels {
  unsigned red = 0;
  unsigned green = 0;
  unsigned blue = 0;
};

// round(c / m * t) in whole numbers: no c lands on a half for the maxima used
// (255 or 31 to 31, 15, 7 or 3), so rounding up from .5 never decides.
unsigned Reduce(unsigned c, unsigned m, unsigned t) { return (2 * c * t + m) / (2 * m); }

// Reads source pixels as channels, with the checks that keep every read
// inside the buffer.
class SourcePixels {
 public:
  // Nothing for a BMP the converters do not read.
  static std::optional<SourcePixels> Of(std::span<const std::uint8_t> bmp) {
    if (bmp.size() < kBmpHeaderSize) return std::nullopt;
    const BmpLayout l = ReadBmpLayout(bmp);
    const int bits = l.bitCount;
    if (bits != 8 && bits != 16 && bits != 24 && bits != 32) return std::nullopt;
    if (l.width < 0 || l.height < 0 || l.width > kMaxPictureSide || l.height > kMaxPictureSide) return std::nullopt;
    SourcePixels s(bmp, l);
    if (l.height > 0 && l.width > 0 &&
        l.pixelOffset + (l.height - 1) * s.m_stride + (l.width * bits + 7) / 8 > static_cast<std::int64_t>(bmp.size())) {
      return std::nullopt;
    }
    return s;
  }

  [[nodiscard]] std::int64_t Width() const { return m_layout.width; }
  [[nodiscard]] std::int64_t Height() const { return m_layout.height; }
  // The largest channel value: 31 for 16-bit sources, 255 otherwise.
  [[nodiscard]] unsigned Maximum() const { return m_layout.bitCount == 16 ? 31 : 255; }

  // Pixel x of buffer row y; nothing when it lies outside the row's stride or
  // the buffer, or when an 8-bit index lies beyond the palette.
  [[nodiscard]] std::optional<Channels> Get(std::int64_t y, std::int64_t x) const {
    const int bytesPerPixel = m_layout.bitCount / 8;
    const std::int64_t at = m_layout.pixelOffset + y * m_stride + x * bytesPerPixel;
    if ((x + 1) * bytesPerPixel > m_stride || at < 0 || at + bytesPerPixel > static_cast<std::int64_t>(m_bmp.size())) {
      return std::nullopt;
    }
    const std::uint8_t* p = m_bmp.data() + at;
    switch (m_layout.bitCount) {
      case 8: return PaletteEntry(p[0]);
      case 16: {
        const unsigned v = p[0] | static_cast<unsigned>(p[1]) << 8;
        if (m_is565) return Channels{v >> 11, (v >> 6) & 31, v & 31};
        return Channels{(v >> 10) & 31, (v >> 5) & 31, v & 31};
      }
      default: return Channels{p[2], p[1], p[0]};
    }
  }

 private:
  SourcePixels(std::span<const std::uint8_t> bmp, const BmpLayout& layout)
      : m_bmp(bmp), m_layout(layout), m_stride(BmpRowSize(layout.width, layout.bitCount)),
        m_is565(Bmp16Layout(bmp) == kBmp16Layout565),
        m_paletteStart(static_cast<std::int64_t>(kBmpInfoSizeAt) + ReadLe32(bmp, kBmpInfoSizeAt)) {}

  [[nodiscard]] std::optional<Channels> PaletteEntry(unsigned index) const {
    const std::int64_t entry = m_paletteStart + static_cast<std::int64_t>(index * kPaletteEntrySize);
    if (entry + 3 > m_layout.pixelOffset || entry + 3 > static_cast<std::int64_t>(m_bmp.size())) return std::nullopt;
    const std::uint8_t* p = m_bmp.data() + entry;
    return Channels{p[2], p[1], p[0]};
  }

  std::span<const std::uint8_t> m_bmp;
  BmpLayout m_layout;
  std::int64_t m_stride;
  bool m_is565;
  std::int64_t m_paletteStart;
};

std::vector<std::uint8_t> WorkingHeader(std::int64_t width, std::int64_t height, int bits, std::int64_t stride) {
  const auto pixelSize = static_cast<std::uint32_t>(stride * height);
  std::vector<std::uint8_t> h{'B', 'M'};
  AppendLe32(h, static_cast<std::uint32_t>(kWorkingBitmapHeaderSize) + pixelSize);
  AppendLe32(h, 0);
  AppendLe32(h, static_cast<std::uint32_t>(kWorkingBitmapHeaderSize));
  AppendLe32(h, kBmpInfoHeaderSize);
  AppendLe32(h, static_cast<std::uint32_t>(width));
  AppendLe32(h, static_cast<std::uint32_t>(height));
  h.insert(h.end(), {1, 0, static_cast<std::uint8_t>(bits), 0});
  AppendLe32(h, kBmpCompressionBitFields);
  AppendLe32(h, pixelSize);
  AppendLe32(h, kBmpPixelsPerMetre);
  AppendLe32(h, kBmpPixelsPerMetre);
  AppendLe32(h, 0);
  AppendLe32(h, 0);
  h.insert(h.end(), kWorkingMasks.begin(), kWorkingMasks.end());
  return h;
}

// Builds the working bitmap apart; packRow(source, y, rowStart) fills one row
// and returns false on a failed read. The buffer changes only on success.
template <typename PackRow>
bool Convert(std::vector<std::uint8_t>& bmp, int targetBits, PackRow packRow) {
  const std::optional<SourcePixels> source = SourcePixels::Of(bmp);
  if (!source) return false;
  const std::int64_t stride = BmpRowSize(source->Width(), targetBits);
  std::vector<std::uint8_t> out = WorkingHeader(source->Width(), source->Height(), targetBits, stride);
  out.resize(kWorkingBitmapHeaderSize + static_cast<std::size_t>(stride * source->Height()), 0);
  for (std::int64_t y = 0; y < source->Height(); ++y) {
    if (!packRow(*source, y, out.data() + kWorkingBitmapHeaderSize + y * stride)) return false;
  }
  bmp = std::move(out);
  return true;
}
}  // namespace

bool ConvertBmpTo16(std::vector<std::uint8_t>& bmp) {
  return Convert(bmp, 16, [](const SourcePixels& s, std::int64_t y, std::uint8_t* row) {
    const unsigned m = s.Maximum();
    for (std::int64_t x = 0; x < s.Width(); ++x) {
      const std::optional<Channels> c = s.Get(y, x);
      if (!c) return false;
      const unsigned v = Reduce(c->red, m, 31) * 2048 + Reduce(c->green, m, 31) * 64 + Reduce(c->blue, m, 31);
      *row++ = static_cast<std::uint8_t>(v);
      *row++ = static_cast<std::uint8_t>(v >> 8);
    }
    return true;
  });
}

bool ConvertBmpTo8(std::vector<std::uint8_t>& bmp) {
  return Convert(bmp, 8, [](const SourcePixels& s, std::int64_t y, std::uint8_t* row) {
    const unsigned m = s.Maximum();
    for (std::int64_t x = 0; x < s.Width(); ++x) {
      const std::optional<Channels> c = s.Get(y, x);
      if (!c) return false;
      *row++ = static_cast<std::uint8_t>(Reduce(c->blue, m, 7) * 32 + Reduce(c->green, m, 7) * 4 +
                                         Reduce(c->red, m, 3));
    }
    return true;
  });
}

bool ConvertBmpTo12(std::vector<std::uint8_t>& bmp) {
  return Convert(bmp, 12, [](const SourcePixels& s, std::int64_t y, std::uint8_t* row) {
    const unsigned m = s.Maximum();
    for (std::int64_t x = 0; x < s.Width(); x += 2) {
      const std::optional<Channels> p = s.Get(y, x);
      if (!p) return false;
      *row++ = static_cast<std::uint8_t>(Reduce(p->red, m, 15) * 16 + Reduce(p->green, m, 15));
      if (x + 1 == s.Width()) {
        // Half a group ends an odd row; readers ignore its low nibble.
        const std::optional<Channels> after = s.Get(y, x + 1);
        const unsigned filler = after ? Reduce(after->red, m, 15) : 0;
        *row++ = static_cast<std::uint8_t>(Reduce(p->blue, m, 15) * 16 + filler);
        break;
      }
      const std::optional<Channels> q = s.Get(y, x + 1);
      if (!q) return false;
      *row++ = static_cast<std::uint8_t>(Reduce(p->blue, m, 15) * 16 + Reduce(q->red, m, 15));
      *row++ = static_cast<std::uint8_t>(Reduce(q->green, m, 15) * 16 + Reduce(q->blue, m, 15));
    }
    return true;
  });
}

std::optional<std::vector<std::uint8_t>> EncodeMonoPicture(std::span<const std::uint8_t> bmp) {
  if (bmp.size() < kBmpHeaderSize) return std::nullopt;
  const BmpLayout l = ReadBmpLayout(bmp);
  if (l.bitCount != 1 || l.width < 0 || l.height < 0 || l.width > kMaxPictureSide || l.height > kMaxPictureSide) {
    return std::nullopt;
  }
  // Which bit value is black: the darker palette entry. Some programs write
  // white as entry 0; reading bit 0 as black would invert their pictures.
  const std::int64_t palette = static_cast<std::int64_t>(kBmpInfoSizeAt) + ReadLe32(bmp, kBmpInfoSizeAt);
  unsigned blackBit = 0;
  if (palette + 2 * static_cast<std::int64_t>(kPaletteEntrySize) <= l.pixelOffset &&
      palette + 8 <= static_cast<std::int64_t>(bmp.size())) {
    auto brightness = [&](std::int64_t entry) {
      const std::uint8_t* p = bmp.data() + entry;
      return 114u * p[0] + 587u * p[1] + 299u * p[2];
    };
    if (brightness(palette + 4) < brightness(palette)) blackBit = 1;
  }
  const std::int64_t stride = BmpRowSize(l.width, 1);
  auto isBlack = [&](std::int64_t y, std::int64_t x) {
    const std::int64_t at = l.pixelOffset + y * stride + x / 8;
    if (at < 0 || at >= static_cast<std::int64_t>(bmp.size())) return false;
    const unsigned byte = bmp[static_cast<std::size_t>(at)];
    return ((byte >> (7 - x % 8)) & 1u) == blackBit;
  };
  const std::int64_t pages = (l.height + 7) / 8;
  std::vector<std::uint8_t> out(static_cast<std::size_t>(pages * l.width), 0);
  for (std::int64_t p = 0; p < pages; ++p) {
    for (std::int64_t x = 0; x < l.width; ++x) {
      unsigned byte = 0;
      for (int j = 0; j < 8 && 8 * p + j < l.height; ++j) {
        if (isBlack(8 * p + j, x)) byte |= 1u << j;
      }
      out[static_cast<std::size_t>(p * l.width + x)] = static_cast<std::uint8_t>(byte);
    }
  }
  return out;
}

}  // namespace korvana::pictures
