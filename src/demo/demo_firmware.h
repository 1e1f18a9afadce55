#pragma once
// The demonstration firmware: a made-up handset image of a few MiB that
// carries something for every tab (a version text, SMAF tones with their
// stored addresses, strings in both encodings, pictures of every stored
// layout with their directory records), built the same, byte for byte, on
// every run. Every place is recorded here, so that tests can check what the
// commands find against what was laid in.

#include <cstdint>
#include <string>
#include <vector>

#include "image/types.h"
#include "strings/string_encoding.h"

namespace korvana::demo {

inline constexpr Length kDemoImageSize = 4 * 1024 * 1024;
inline constexpr const char* kDemoVersion = "DEMO1.00";

struct DemoTone {
  std::string source;  // the embedded file, "a.mmf"
  std::string note;    // the note of the tone table file
  Address start = 0;
  Length size = 0;
  Address pointerPlace = 0;  // a lone copy of start, least significant byte first
  Address entryPlace = 0;    // the 8-byte entry: start, then size
};

struct DemoString {
  std::string text;  // UTF-8
  strings::StringEncoding encoding = strings::StringEncoding::kEnglish;
  Address start = 0;
  Length byteLength = 0;  // the stored bytes before the terminating zero
};

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// One frame as drawn, in the colours the picture's layout can hold exactly,
// top row first: what a decoder of the stored frame must show.
struct DemoFrame {
  std::int64_t width = 0;
  std::int64_t height = 0;
  std::vector<Rgb> pixels;
  [[nodiscard]] const Rgb& At(std::int64_t x, std::int64_t y) const {
    return pixels[static_cast<std::size_t>(y * width + x)];
  }
};

struct DemoPicture {
  std::string name;   // one word, as the picture table needs it
  std::string depth;  // "1" .. "24", or "16*"
  std::int64_t width = 0;
  std::int64_t height = 0;
  Address address = 0;  // frame 1
  Length frameSize = 0;
  Address recordPlace = 0;  // the 8-byte directory record: width, height, address
  std::vector<DemoFrame> frames;
};

// A file that goes beside the image, its path relative to the demo folder.
struct DemoFile {
  std::string name;
  std::vector<std::uint8_t> bytes;
};

struct DemoFirmware {
  std::vector<std::uint8_t> image;
  Address versionPlace = 0;  // the marker "VersionString:"
  std::vector<DemoTone> tones;
  std::vector<DemoString> strings;
  std::vector<DemoPicture> pictures;
  std::vector<DemoFile> files;  // replacement tones and pictures
};

// Builds the image and the replacement files. Deterministic: no clock, no
// outside seed. Throws nothing in practice: every place is a constant of the
// layout and checked against the image size as it is written.
[[nodiscard]] DemoFirmware BuildDemoFirmware();

}  // namespace korvana::demo
