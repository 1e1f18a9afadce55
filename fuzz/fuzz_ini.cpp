// The INI reader and writer over any file text: the section, key and value
// come from the front of the input (each up to a 0 byte), the text follows.

#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "app/settings_file.h"
#include "fuzz_support.h"

namespace {
// Names and values a program writes: letters, digits and a few signs, no
// blanks at the ends, no line breaks, "=" or "]" or ";".
bool Plain(std::string_view s, bool allowEmpty) {
  if (s.empty()) return allowEmpty;
  for (unsigned char c : s) {
    if (!(std::isalnum(c) || c == '_' || c == '.' || c == '/' || c == '\\' || c == ':' || c >= 0x80)) return false;
  }
  return true;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  korvana::fuzz::Cursor in(data, size);
  const std::string section(in.Word0());
  const std::string key(in.Word0());
  const std::string value(in.Word0());
  const auto rest = in.Rest();
  const std::string_view text(reinterpret_cast<const char*>(rest.data()), rest.size());

  std::string found;
  (void)korvana::app::FindIniValue(text, section, key, found);
  const std::string written = korvana::app::SetIniValue(text, section, key, value);
  if (Plain(section, false) && Plain(key, false) && Plain(value, true)) {
    // What was written is what is read back.
    std::string back;
    if (!korvana::app::FindIniValue(written, section, key, back) || back != value) std::abort();
  }
  return 0;
}
