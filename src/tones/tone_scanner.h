#pragma once
// Finding the built-in tones: complete SMAF files laid into the image,
// recognised by their magic "MMMD" and the length in their header.

#include <array>
#include <cstdint>
#include <optional>

#include "image/handset_image.h"
#include "image/outcome.h"
#include "image/types.h"
#include "tones/tone_list.h"

namespace korvana::tones {

// The SMAF magic, "MMMD".
inline constexpr std::array<std::uint8_t, 4> kToneMagic{0x4D, 0x4D, 0x4D, 0x44};
// Magic and the four length bytes that follow it; the length counts the
// rest of the file, so a tone occupies length + 8 bytes.
inline constexpr Length kToneHeaderSize = 8;
// Sizes (header included) that a built-in tone can have. Smaller or larger
// length fields are taken for stray "MMMD" bytes in code or data.
inline constexpr std::int64_t kMinToneSize = 101;
inline constexpr std::int64_t kMaxToneSize = 1999999;

// The size of the tone whose magic is at position: the unsigned big-endian
// length at position + 4 .. position + 7, plus 8. Nothing when those bytes
// do not all lie inside the image.
[[nodiscard]] std::optional<std::int64_t> GetToneSize(const image::HandsetImage& image, Address position);

// The tone scan of the "Durchsuche" button: clears list and fills it with
// every magic whose size is in range, numbered from "001" in address order.
// The search resumes one byte after each hit, so a magic inside a listed
// tone is examined too; the shared search cursor starts at 0 (index 0 itself
// is never examined) and ends reset. progress receives the position of each
// search's hit and may stop the scan by returning false (the rows found so
// far stay). Fails with message 3 when no image is loaded.
[[nodiscard]] Outcome ScanTones(image::HandsetImage& image, ToneList& list, const ProgressFn& progress = {});

}  // namespace korvana::tones
