#pragma once
// The drawings of the demonstration firmware: small generated pictures
// (gradients, shapes, an animation), each in the colours that its stored
// layout holds exactly, and the BMP files made of them.

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "demo/demo_firmware.h"

namespace korvana::demo {

// A colour as drawn, each channel 0..1.
struct Colour {
  double r = 0, g = 0, b = 0;
};

// The nearest colour that a picture of depth ("1" .. "24", "16*") stores
// exactly, after the ordered dither offset of pixel x, y (gradients then show
// no bands). Depth 1 is black or white, depth 4 one of the 16 palette colours.
[[nodiscard]] Rgb ColourForDepth(const Colour& colour, std::string_view depth, std::int64_t x, std::int64_t y);

// A frame of width * height drawn by paint(x, y) and brought to depth.
[[nodiscard]] DemoFrame DrawFrame(std::int64_t width, std::int64_t height, std::string_view depth,
                                  const std::function<Colour(double x, double y)>& paint);

// A bottom-up BMP file of the frame: 24-bit, or 1-bit black and white for
// mono (black is palette entry 0).
[[nodiscard]] std::vector<std::uint8_t> BmpOf(const DemoFrame& frame);
[[nodiscard]] std::vector<std::uint8_t> MonoBmpOf(const DemoFrame& frame);

// The pictures in the order of the table, frames drawn, places not set.
[[nodiscard]] std::vector<DemoPicture> DrawDemoPictures();

// The replacement BMPs for the tour: a frame of the animation, a landscape
// picture drawn on its side (a quarter turn clockwise brings it upright) and
// a start picture for the compressed one.
[[nodiscard]] std::vector<DemoFile> DrawReplacementPictures();

}  // namespace korvana::demo
