#pragma once
// The compressor of the "16*" form (read by DecodeCompressedPicture):
//
//   9, N (0..127), N palette words, then code groups:
//     00+k  k literal pixels (k = 0..63), their two bytes each
//     40+k  k palette pixels (k = 0..63), one index byte each (from 0)
//     80+k  k copies of one literal pixel (k = 1..63), its two bytes
//     C0+k  k copies of one palette pixel (k = 1..63), its index
//
// A word is one pixel, two input bytes at an even offset, valued first byte
// * 256 + second byte; the value only orders the palette choice, the bytes
// are always copied in their input order.
//
// The palette holds the most frequent words, most frequent first (among
// equal counts the lower value first), at most 127 of them, and ends before
// the word 0000: a picture whose most frequent word is 0000 has no palette.
// Groups are then written from the first pixel on:
//   - one of the last two pixels: a group of its own (C1 index or 81 word),
//     the rest goes to the tail;
//   - a run of two or more equal pixels: groups of 63 (FF / BF) and one group
//     of the rest; a run reaching the last pixel ends the picture;
//   - otherwise a sequence of pixels of the same class (palette or not), each
//     different from the next, up to but not including the last two pixels,
//     with a new header byte after every 63 (so exactly 63 leave a header
//     00 or 40 with no pixels);
//   - the tail, the pixels left after the first three cases ended the
//     picture: each a one-pixel group, 01 and its word when it equals the
//     pixel before it or is not in the palette, else 41 and its index.
// The counts are 32-bit and the output grows as needed, so any picture
// compresses, into as many bytes as it takes: a picture with few repeated
// pixels comes out larger than its 2 bytes a pixel, and the caller decides
// whether that size is acceptable.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "image/types.h"

namespace korvana::pictures {

inline constexpr int kMaxCompressionPalette = 127;
inline constexpr std::uint8_t kCompressedMark = 9;

// The compressed form of pixels: 16-bit pixels, top row first, no padding (an
// odd last byte is ignored). progress gets the number of palette entries
// chosen so far (1 .. kMaxCompressionPalette) once for each entry; returning
// false stops the compression, which then gives nothing.
[[nodiscard]] std::optional<std::vector<std::uint8_t>> CompressPicture(std::span<const std::uint8_t> pixels,
                                                                       const ProgressFn& progress);

}  // namespace korvana::pictures
