#include "pictures/bmp_file.h"

namespace korvana::pictures {

std::uint32_t ReadLe32(std::span<const std::uint8_t> bytes, std::size_t at) {
  if (at > bytes.size() || bytes.size() - at < 4) return 0;
  return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
         static_cast<std::uint32_t>(bytes[at + 2]) << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

std::uint16_t ReadLe16(std::span<const std::uint8_t> bytes, std::size_t at) {
  if (at > bytes.size() || bytes.size() - at < 2) return 0;
  return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

void WriteLe32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
  if (at > bytes.size() || bytes.size() - at < 4) return;
  for (int i = 0; i < 4; ++i) bytes[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
}

void AppendLe32(std::vector<std::uint8_t>& bytes, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

std::vector<std::uint8_t> BmpHeader(std::int64_t width, std::int64_t height, int bitCount, std::uint32_t compression,
                                    std::size_t tableSize, std::int64_t pixelDataSize) {
  const auto pixelOffset = static_cast<std::uint32_t>(kBmpHeaderSize + tableSize);
  std::vector<std::uint8_t> h{'B', 'M'};
  h.reserve(kBmpHeaderSize);
  AppendLe32(h, pixelOffset + static_cast<std::uint32_t>(pixelDataSize));
  AppendLe32(h, 0);  // two reserved words
  AppendLe32(h, pixelOffset);
  AppendLe32(h, kBmpInfoHeaderSize);
  AppendLe32(h, static_cast<std::uint32_t>(width));
  AppendLe32(h, static_cast<std::uint32_t>(height));
  h.push_back(1);  // planes
  h.push_back(0);
  h.push_back(static_cast<std::uint8_t>(bitCount));
  h.push_back(static_cast<std::uint8_t>(bitCount >> 8));
  AppendLe32(h, compression);
  AppendLe32(h, static_cast<std::uint32_t>(pixelDataSize));
  AppendLe32(h, kBmpPixelsPerMetre);
  AppendLe32(h, kBmpPixelsPerMetre);
  AppendLe32(h, 0);  // colours used
  AppendLe32(h, 0);  // important colours
  return h;
}

BmpLayout ReadBmpLayout(std::span<const std::uint8_t> bytes) {
  BmpLayout l;
  l.pixelOffset = ReadLe32(bytes, kBmpPixelOffsetAt);
  l.width = static_cast<std::int32_t>(ReadLe32(bytes, kBmpWidthAt));
  l.height = static_cast<std::int32_t>(ReadLe32(bytes, kBmpHeightAt));
  l.bitCount = ReadLe16(bytes, kBmpBitCountAt);
  return l;
}

}  // namespace korvana::pictures
