// The string encodings over any bytes (valid UTF-8 or not), and the code
// page conversions under them.

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "app/code_page.h"
#include "strings/string_encoding.h"

namespace {
void CheckHex(const std::optional<std::string>& hex) {
  if (!hex) return;
  if (hex->size() % 2 != 0) std::abort();
  for (char c : *hex) {
    if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'))) std::abort();
  }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto english = korvana::strings::EnglishHexOf(text);
  const auto chinese = korvana::strings::ChineseHexOf(text);
  CheckHex(english);
  CheckHex(chinese);
  const std::size_t units = korvana::strings::Utf16Length(text);
  // A lead byte of a four-byte sequence counts two units, even alone.
  if (units > 2 * text.size()) std::abort();
  // Two bytes a UTF-16 unit in the "Chinese " form.
  if (chinese && chinese->size() != 4 * units) std::abort();

  const auto strict = korvana::app::Utf8ToAnsiStrict(text);
  (void)korvana::app::Utf8ToAnsi(text);
  const std::string utf8 = korvana::app::AnsiToUtf8(text);
  // Text that converts without loss converts back to itself.
  if (strict && korvana::app::AnsiToUtf8(*strict) != text) std::abort();
  (void)utf8;
  return 0;
}
