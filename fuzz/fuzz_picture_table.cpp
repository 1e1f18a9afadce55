// The picture table reader over any text, with the options of the picture
// tab taken from the front of the input: the first byte sets "Check1", the
// text up to the first 0 byte is the offset field "Text21".

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "fuzz_support.h"
#include "pictures/picture_list.h"
#include "pictures/picture_table.h"

using namespace korvana::pictures;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  korvana::fuzz::Cursor in(data, size);
  PictureTableOptions options;
  options.computeSize = (in.Byte() & 1) != 0;
  options.offsetText = std::string(in.Word0());
  const auto rest = in.Rest();
  const std::string_view text(reinterpret_cast<const char*>(rest.data()), rest.size());

  PictureTableRead read = ParsePictureTable(text, options);
  if (!read.outcome.ok && !read.rows.empty()) std::abort();
  for (const PictureEntry& row : read.rows) (void)ParsePictureEntry(row);
  if (read.outcome.ok && !read.rows.empty()) {
    // The text the table is saved as reads back as the same rows.
    PictureList list;
    list.SetRows(read.rows);
    const std::string saved = PictureTableText(list);
    PictureTableRead again = ParsePictureTable(saved, PictureTableOptions{});
    if (!again.outcome.ok || again.rows.size() != read.rows.size()) std::abort();
  }
  return 0;
}
