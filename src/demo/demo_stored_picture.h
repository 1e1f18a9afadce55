#pragma once
// A drawn frame in the stored layout of its depth, as the firmware keeps it
// (see pictures/stored_picture_format.h): the picture editor's encoders, and
// for depth 4, which the editor does not write, the writer below, the exact
// inverse of its decoder.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "demo/demo_firmware.h"

namespace korvana::demo {

// Depth 4: W / 2 bytes a row, high nibble first, each nibble the index of
// the pixel's colour in the palette (64 bytes of blue, green, red, 0). The
// width must be even and every colour one of the palette's; nothing
// otherwise.
[[nodiscard]] std::optional<std::vector<std::uint8_t>> StoreFourBitFrame(const DemoFrame& frame,
                                                                         std::span<const std::uint8_t> palette);

// The frame in the layout of depth ("1" .. "24", "16*"); nothing when the
// encoder refuses it.
[[nodiscard]] std::optional<std::vector<std::uint8_t>> StoredFrameOf(const DemoFrame& frame, std::string_view depth);

}  // namespace korvana::demo
