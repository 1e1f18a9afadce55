#include "tones/tone_entry.h"

#include "image/hex.h"

namespace korvana::tones {

namespace {
constexpr int kRowNumberWidth = 3;
constexpr int kAddressDigits = 8;
}  // namespace

std::string RowNumberText(int n) { return image::ZeroPad(std::to_string(n), kRowNumberWidth); }

std::string ToneAddressText(std::int64_t address) { return "0x" + image::HexPad(address, kAddressDigits); }

ToneEntry MakeToneEntry(int n, Address start, std::int64_t size) {
  return {RowNumberText(n), ToneAddressText(start), ToneAddressText(std::int64_t{start} + size - 1),
          std::to_string(size), {}};
}

AddressRange ToneRangeOf(const ToneEntry& entry) {
  return {image::HexToLong(entry.start), image::HexToLong(entry.stop)};
}

std::int64_t LeadingDecimal(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  std::int64_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
    if (value >= kDecimalLimit) return kDecimalLimit;
  }
  return value;
}

}  // namespace korvana::tones
