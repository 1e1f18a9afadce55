#include "image/byte_diff.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "image/hex.h"
#include "image/srecord_writer.h"

namespace korvana::image {

namespace {
// Equal stretches are skipped a block at a time with memcmp; only a block
// that differs is walked, eight bytes a step.
constexpr std::size_t kBlock = 4096;
constexpr std::uint64_t kLowBits = 0x0101010101010101ull;
constexpr std::uint64_t kHighBits = 0x8080808080808080ull;
constexpr bool kWordScan = std::endian::native == std::endian::little;

std::uint64_t Load(const std::uint8_t* p) {
  std::uint64_t v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

// The index of the lowest byte of a little-endian word that is not zero.
std::size_t LowestByte(std::uint64_t v) { return static_cast<std::size_t>(std::countr_zero(v)) / 8; }

// The first index from i on where a and b differ; n when there is none.
std::size_t FirstDifference(const std::uint8_t* a, const std::uint8_t* b, std::size_t i, std::size_t n) {
  while (i < n) {
    if (n - i >= kBlock && std::memcmp(a + i, b + i, kBlock) == 0) {
      i += kBlock;
      continue;
    }
    const std::size_t end = std::min(n, i + kBlock);
    if constexpr (kWordScan) {
      for (; i + 8 <= end; i += 8) {
        if (const std::uint64_t x = Load(a + i) ^ Load(b + i); x != 0) return i + LowestByte(x);
      }
    }
    for (; i < end; ++i) {
      if (a[i] != b[i]) return i;
    }
  }
  return n;
}

// The first index from i on where a and b are equal; n when there is none.
std::size_t FirstEqual(const std::uint8_t* a, const std::uint8_t* b, std::size_t i, std::size_t n) {
  if constexpr (kWordScan) {
    for (; i + 8 <= n; i += 8) {
      const std::uint64_t x = Load(a + i) ^ Load(b + i);
      // Marks the zero bytes of x, that is the equal bytes; the lowest mark
      // is always exact.
      if (const std::uint64_t zero = (x - kLowBits) & ~x & kHighBits; zero != 0) return i + LowestByte(zero);
    }
  }
  for (; i < n; ++i) {
    if (a[i] == b[i]) return i;
  }
  return n;
}
}  // namespace

void DiffRangeBuilder::AddRun(Address first, Address last) {
  if (!m_ranges.empty() && std::int64_t{first} - m_ranges.back().last - 1 < kDiffMergeGap) {
    m_ranges.back().last = last;
    return;
  }
  m_ranges.push_back({first, last});
}

void DiffRangeBuilder::AddDifferences(std::span<const std::uint8_t> older, std::span<const std::uint8_t> newer,
                                      Address base) {
  const std::size_t n = std::min(older.size(), newer.size());
  const std::uint8_t* a = older.data();
  const std::uint8_t* b = newer.data();
  std::size_t i = FirstDifference(a, b, 0, n);
  while (i < n) {
    const std::size_t end = FirstEqual(a, b, i + 1, n);
    AddRun(static_cast<Address>(base + static_cast<std::int64_t>(i)),
           static_cast<Address>(base + static_cast<std::int64_t>(end) - 1));
    i = FirstDifference(a, b, end, n);
  }
}

std::vector<AddressRange> DifferingRanges(std::span<const std::uint8_t> older, std::span<const std::uint8_t> newer) {
  DiffRangeBuilder builder;
  builder.AddDifferences(older, newer, 0);
  return builder.Take();
}

Outcome WriteRangesS3(std::span<const std::uint8_t> image, const std::vector<AddressRange>& ranges,
                      std::string_view path) {
  S3Writer writer;  // the file reaches the disk only with its last range
  Outcome out = Outcome::Silent();
  for (std::size_t k = 0; k < ranges.size(); ++k) {
    const AddressRange& r = ranges[k];
    if (r.first < 0 || r.Size() < 1 || std::int64_t{r.last} >= static_cast<std::int64_t>(image.size())) {
      writer.Abandon();
      return Outcome::Failure(msg::kFileError, "range " + AddressText(r.first) + " - " + AddressText(r.last) +
                                                   " lies outside the image");
    }
    out = WriteS3Range(writer, image.subspan(static_cast<std::size_t>(r.first)), r.first, r.last, path, k == 0,
                       k + 1 == ranges.size());
    if (!out.ok) return out;
  }
  return out;
}

std::string AddressText(Address address) { return "0x" + HexPad(address, 8); }

}  // namespace korvana::image
