#pragma once
// Firmware images with SMAF tones laid into them; the real tones are in tests/data/tones (see its README).

#include <cstdint>
#include <string>
#include <vector>

#include "support/test_support.h"

namespace korvana::test {

inline std::string ToneDataPath(const std::string& name) { return std::string(KORVANA_TEST_DATA) + "/tones/" + name; }

// The bytes of tests/data/tones/<name>.
inline std::vector<std::uint8_t> RealTone(const std::string& name) { return ReadBytes(ToneDataPath(name)); }

// "MMMD" and a big-endian length field.
inline std::vector<std::uint8_t> ToneHeader(std::uint32_t length) {
  return {'M', 'M', 'M', 'D', static_cast<std::uint8_t>(length >> 24), static_cast<std::uint8_t>(length >> 16),
          static_cast<std::uint8_t>(length >> 8), static_cast<std::uint8_t>(length)};
}

inline void PutAt(std::vector<std::uint8_t>& image, std::size_t at, const std::vector<std::uint8_t>& bytes) {
  if (image.size() < at + bytes.size()) image.resize(at + bytes.size(), 0xFF);
  std::copy(bytes.begin(), bytes.end(), image.begin() + static_cast<std::ptrdiff_t>(at));
}

// 64 KiB of 0xFF with the real tones a, b, c at 0x1000, 0x3000, 0x5000: tones 001 to 003 of a scan.
inline std::vector<std::uint8_t> ImageWithRealTones() {
  std::vector<std::uint8_t> image(0x10000, 0xFF);
  PutAt(image, 0x1000, RealTone("a.mmf"));
  PutAt(image, 0x3000, RealTone("b.mmf"));
  PutAt(image, 0x5000, RealTone("c.mmf"));
  return image;
}

}  // namespace korvana::test
