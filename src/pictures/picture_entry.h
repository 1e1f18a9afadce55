#pragma once
// One row of the picture list, held as the texts the list shows, and the one
// parser that turns those texts into the numbers the picture commands use.

#include <cstdint>
#include <string>
#include <string_view>

namespace korvana::pictures {

struct PictureEntry {
  std::string number;      // "001"
  std::string name;        // one word
  std::string start;       // "0X" + eight hex digits: the image index of frame 1
  std::string count;       // frames, decimal
  std::string frameSize;   // bytes of one frame, decimal
  std::string dimensions;  // "W*H"
  std::string depth;       // "1", "4", "8", "12", "16", "24"; "16*" is compressed

  friend bool operator==(const PictureEntry&, const PictureEntry&) = default;
};

// The widest or tallest picture a command decodes. The handsets show at most
// 128 x 160 pixels; the bound is far above that and only keeps a bad table
// row from turning into gigabytes of memory.
inline constexpr std::int64_t kMaxPictureSide = 4096;
// Frame counts are 16-bit numbers in the tables' consumers.
inline constexpr std::int64_t kMaxFrameCount = 32767;

// The numbers of a row. Frame k (from 0) of the picture starts at
// address + k * frameSize.
struct PictureShape {
  std::int64_t address = 0;
  std::int64_t count = 0;
  std::int64_t frameSize = 0;
  std::int64_t width = 0;
  std::int64_t height = 0;
  std::int64_t depth = 0;  // without the compression mark
  bool compressed = false;

  [[nodiscard]] std::int64_t FrameAddress(std::int64_t frameIndex) const { return address + frameIndex * frameSize; }
};

struct ParsedPicture {
  PictureShape shape;
  int message = 0;  // 0 when the row is usable
  std::string detail;
  [[nodiscard]] bool Ok() const { return message == 0; }
};

// Reads the numbers as the commands read them: the address with HexToLong,
// every other number as the leading decimal number of its text rounded half
// to even, width and height from the dimensions split at "*", the depth
// after cutting a trailing "*". Refuses (message 2) an address that
// overflows, a count outside -32768..32767 and a frame size outside 32 bits;
// refuses (message 38) negative dimensions and dimensions beyond
// kMaxPictureSide; after a refusal for the dimensions, address, count and
// frame size are filled in. Never throws.
[[nodiscard]] ParsedPicture ParsePictureEntry(const PictureEntry& entry);

// The leading decimal number of a text (blanks before it are skipped, a sign
// and a fraction are read), 0 for an empty or non-numeric text.
[[nodiscard]] double LeadingNumber(std::string_view text);

// Rounds to the nearest whole number, halves to the even neighbour; values
// beyond +-2^53 are clamped there (any check on them then fails).
[[nodiscard]] std::int64_t RoundHalfEven(double value);

}  // namespace korvana::pictures
