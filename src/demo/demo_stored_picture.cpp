#include "demo/demo_stored_picture.h"

#include <string>

#include "demo/demo_assets.h"
#include "demo/demo_drawing.h"
#include "pictures/picture_encoding.h"

namespace korvana::demo {

std::optional<std::vector<std::uint8_t>> StoreFourBitFrame(const DemoFrame& frame,
                                                           std::span<const std::uint8_t> palette) {
  if (frame.width % 2 != 0) return std::nullopt;
  auto indexOf = [&](const Rgb& p) -> std::optional<std::uint8_t> {
    for (std::size_t i = 0; i + 3 < palette.size() && i < 64; i += 4) {
      if (palette[i] == p.b && palette[i + 1] == p.g && palette[i + 2] == p.r) return static_cast<std::uint8_t>(i / 4);
    }
    return std::nullopt;
  };
  std::vector<std::uint8_t> stored;
  stored.reserve(static_cast<std::size_t>(frame.width / 2 * frame.height));
  for (std::int64_t y = 0; y < frame.height; ++y) {
    for (std::int64_t x = 0; x < frame.width; x += 2) {
      const auto high = indexOf(frame.At(x, y)), low = indexOf(frame.At(x + 1, y));
      if (!high || !low) return std::nullopt;
      stored.push_back(static_cast<std::uint8_t>(*high << 4 | *low));
    }
  }
  return stored;
}

std::optional<std::vector<std::uint8_t>> StoredFrameOf(const DemoFrame& frame, std::string_view depth) {
  if (depth == "4") return StoreFourBitFrame(frame, DemoAsset("16.dat"));
  pictures::EncodedPicture encoded;
  if (depth == "16*") {
    encoded = pictures::EncodeCompressedBmp(BmpOf(frame), {});
  } else if (depth == "1") {
    encoded = pictures::EncodeBmp(MonoBmpOf(frame), 1);
  } else {
    encoded = pictures::EncodeBmp(BmpOf(frame), std::stoi(std::string(depth)));
  }
  if (!encoded.outcome.ok) return std::nullopt;
  return std::move(encoded.bytes);
}

}  // namespace korvana::demo
