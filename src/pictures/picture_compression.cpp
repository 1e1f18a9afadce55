#include "pictures/picture_compression.h"

#include <algorithm>
#include <array>
#include <memory>

namespace korvana::pictures {

namespace {
constexpr int kMaxGroupCount = 63;
constexpr std::uint8_t kLiteralSequence = 0x00;
constexpr std::uint8_t kPaletteSequence = 0x40;
constexpr std::uint8_t kLiteralRun = 0x80;
constexpr std::uint8_t kPaletteRun = 0xC0;
constexpr int kNoIndex = -1;
constexpr std::size_t kWordValues = 65536;

class Compressor {
 public:
  explicit Compressor(std::span<const std::uint8_t> pixels)
      : m_pixels(pixels), m_count(static_cast<std::int64_t>(pixels.size() / 2)),
        m_index(std::make_unique<std::array<int, kWordValues>>()) {
    m_index->fill(kNoIndex);
  }

  bool ChoosePalette(const ProgressFn& progress) {
    std::vector<std::uint32_t> counts(kWordValues, 0);
    for (std::int64_t p = 0; p < m_count; ++p) ++counts[Word(p)];
    // Repeatedly taking the highest count (the lowest value among equal
    // ones) is the order of this sort; the choice ends at the word 0000.
    std::vector<std::uint16_t> used;
    for (std::size_t v = 0; v < kWordValues; ++v) {
      if (counts[v] > 0) used.push_back(static_cast<std::uint16_t>(v));
    }
    std::stable_sort(used.begin(), used.end(), [&counts](std::uint16_t a, std::uint16_t b) {
      return counts[a] > counts[b];
    });
    for (std::uint16_t v : used) {
      if (v == 0 || static_cast<int>(m_palette.size()) == kMaxCompressionPalette) break;
      (*m_index)[v] = static_cast<int>(m_palette.size());
      m_palette.push_back(v);
      if (progress && !progress(static_cast<std::int64_t>(m_palette.size()))) return false;
    }
    return true;
  }

  std::vector<std::uint8_t> Encode() {
    m_out.push_back(kCompressedMark);
    m_out.push_back(static_cast<std::uint8_t>(m_palette.size()));
    for (std::uint16_t v : m_palette) {
      m_out.push_back(static_cast<std::uint8_t>(v >> 8));
      m_out.push_back(static_cast<std::uint8_t>(v));
    }
    std::int64_t p = 0;
    bool end = false;
    while (p < m_count && !end) {
      if (p + 2 >= m_count) {
        PutRunGroup(p, 1);
        ++p;
        end = true;
        break;
      }
      std::int64_t run = 1;
      while (p + run < m_count && Word(p + run) == Word(p)) ++run;
      if (p + run == m_count) end = true;
      if (run >= 2) {
        for (std::int64_t left = run; left > 0; left -= kMaxGroupCount) {
          PutRunGroup(p, static_cast<int>(std::min<std::int64_t>(left, kMaxGroupCount)));
        }
        p += run;
      } else {
        p = PutSequence(p, end);
      }
    }
    for (; p < m_count; ++p) {
      const bool repeat = p > 0 && Word(p) == Word(p - 1);
      if (!repeat && InPalette(p)) {
        m_out.push_back(kPaletteSequence + 1);
        m_out.push_back(Index(p));
      } else {
        m_out.push_back(kLiteralSequence + 1);
        PutBytes(p);
      }
    }
    return std::move(m_out);
  }

 private:
  [[nodiscard]] std::uint16_t Word(std::int64_t p) const {
    const auto at = static_cast<std::size_t>(2 * p);
    return static_cast<std::uint16_t>(m_pixels[at] << 8 | m_pixels[at + 1]);
  }
  [[nodiscard]] bool InPalette(std::int64_t p) const { return (*m_index)[Word(p)] != kNoIndex; }
  [[nodiscard]] std::uint8_t Index(std::int64_t p) const { return static_cast<std::uint8_t>((*m_index)[Word(p)]); }
  void PutBytes(std::int64_t p) {
    m_out.push_back(m_pixels[static_cast<std::size_t>(2 * p)]);
    m_out.push_back(m_pixels[static_cast<std::size_t>(2 * p + 1)]);
  }
  void PutPixel(std::int64_t p) {
    if (InPalette(p)) {
      m_out.push_back(Index(p));
    } else {
      PutBytes(p);
    }
  }
  // count copies of pixel p.
  void PutRunGroup(std::int64_t p, int count) {
    m_out.push_back(static_cast<std::uint8_t>((InPalette(p) ? kPaletteRun : kLiteralRun) + count));
    PutPixel(p);
  }

  // A sequence from p of pixels of p's class, each different from the next,
  // stopping before the last two pixels (which sets end). Returns where it
  // stopped.
  std::int64_t PutSequence(std::int64_t p, bool& end) {
    const bool palette = InPalette(p);
    const std::uint8_t kind = palette ? kPaletteSequence : kLiteralSequence;
    std::size_t header = m_out.size();
    m_out.push_back(0);
    int count = 0;
    std::int64_t q = p;
    while (true) {
      // q + 1 < m_count holds here: q + 2 < m_count was checked before q grew.
      if (Word(q) == Word(q + 1) || InPalette(q) != palette) break;
      if (q + 2 >= m_count) {
        end = true;
        break;
      }
      PutPixel(q);
      ++count;
      ++q;
      if (count == kMaxGroupCount) {
        m_out[header] = static_cast<std::uint8_t>(kind + kMaxGroupCount);
        header = m_out.size();
        m_out.push_back(0);
        count = 0;
      }
    }
    m_out[header] = static_cast<std::uint8_t>(kind + count);
    return q;
  }

  std::span<const std::uint8_t> m_pixels;
  std::int64_t m_count;
  std::unique_ptr<std::array<int, kWordValues>> m_index;  // palette index of each word value
  std::vector<std::uint16_t> m_palette;
  std::vector<std::uint8_t> m_out;
};
}  // namespace

std::optional<std::vector<std::uint8_t>> CompressPicture(std::span<const std::uint8_t> pixels,
                                                         const ProgressFn& progress) {
  Compressor compressor(pixels);
  if (!compressor.ChoosePalette(progress)) return std::nullopt;
  return compressor.Encode();
}

}  // namespace korvana::pictures
