#pragma once
// Writes the demonstration firmware and its companions into a folder.

#include <string_view>

#include "image/outcome.h"

namespace korvana::demo {

// The file names inside the demo folder.
inline constexpr std::string_view kDemoImageName = "demo.bin";
inline constexpr std::string_view kDemoToneTableName = "demo-toene.txt";
inline constexpr std::string_view kDemoPictureTableName = "demo-bilder.txt";

// Writes into folder (made when missing): the image, its tone table (the
// scan of the image with a note for each tone), its picture table, the
// replacement tones under "mmf" and the replacement pictures under "bmp".
// Each file is complete or absent. Success lists every written path in
// `written`, image first; failure carries message 2 and the path that could
// not be written (files written before it stay).
[[nodiscard]] Outcome WriteDemo(std::string_view folder);

}  // namespace korvana::demo
