#include "tones/tone_scanner.h"

namespace korvana::tones {

namespace {
constexpr Length kLengthFieldOffset = 4;
}

std::optional<std::int64_t> GetToneSize(const image::HandsetImage& image, Address position) {
  const auto bytes = image.Bytes();
  const std::int64_t field = std::int64_t{position} + kLengthFieldOffset;
  if (position < 0 || field + 4 > static_cast<std::int64_t>(bytes.size())) return std::nullopt;
  const auto* p = bytes.data() + field;
  const std::uint32_t length = (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) |
                               (std::uint32_t{p[2]} << 8) | std::uint32_t{p[3]};
  return std::int64_t{length} + kToneHeaderSize;
}

Outcome ScanTones(image::HandsetImage& image, ToneList& list, const ProgressFn& progress) {
  if (!image.FileLoaded()) return Outcome::Failure(msg::kOpenHandsetFirst);
  list.Clear();
  int n = 1;
  image.SetSearchStart(0);
  bool hit = false;
  do {
    hit = image.FindBytes(kToneMagic);
    if (hit) {
      const Address p = image.FoundPos();
      const auto size = GetToneSize(image, p);
      // A magic in the last seven bytes has no complete length field; no
      // further magic fits behind it, so the scan is complete.
      if (!size) {
        image.SetSearchStart(0);
        break;
      }
      if (*size >= kMinToneSize && *size <= kMaxToneSize) list.Add(MakeToneEntry(n++, p, *size));
    }
    if (progress && !progress(image.FoundPos())) {
      image.SetSearchStart(0);
      Outcome stopped = Outcome::Silent();
      stopped.detail = "scan stopped";
      return stopped;
    }
  } while (hit);
  return Outcome::Success();
}

}  // namespace korvana::tones
