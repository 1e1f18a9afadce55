// The tone table reader over any file: each line alone, and the whole file
// as "Öffnen" reads it (byte order mark, code page, line ends).

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "fuzz_support.h"
#include "tones/tone_list.h"
#include "tones/tone_table.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  while (!text.empty()) {
    const auto end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    if (auto entry = korvana::tones::ParseToneTableLine(line)) {
      // A row read back from its own line keeps its numbers.
      const std::string again = korvana::tones::ToneTableLine(*entry);
      auto reread = korvana::tones::ParseToneTableLine(again);
      if (!reread || reread->start != entry->start || reread->stop != entry->stop) std::abort();
    }
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
  }

  korvana::tones::ToneList list;
  (void)korvana::tones::OpenToneTable(korvana::fuzz::WriteScratch({data, size}), list);
  return 0;
}
