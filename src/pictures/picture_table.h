#pragma once
// The picture table file: one line per picture, fields separated by TAB and
// blank, in the code page of the table files, e.g.
//   001 Logo<TAB> 0X0012ABCD<TAB> Zahl: 1<TAB> Größe  .: 2560<TAB> Maße: 128*160<TAB> Farb: 16<TAB><CR><LF>
// The reader does not look at the labels: it splits a line at every single
// blank and takes the fields by position (1 name, 2 address, 4 count, 6 frame
// size, 8 dimensions, 10 depth), each cleaned with CleanTableField.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "image/outcome.h"
#include "pictures/picture_list.h"

namespace korvana::pictures {

// Tables are small text files; a larger file is no table.
inline constexpr std::int64_t kMaxPictureTableSize = 16 * 1024 * 1024;

struct PictureTableRead {
  Outcome outcome;
  std::vector<PictureEntry> rows;  // empty on failure
};

// The options of the picture tab that apply while a table is read.
struct PictureTableOptions {
  // The offset field: hex added to every address; a leading "-" subtracts it. Only the
  // last six hex digits of a table address are used, before the offset.
  std::string offsetText;
  // "Bildgröße ber.": the frame size is computed from the dimensions and the depth.
  bool computeSize = false;
};

// The rows of a table held in memory (code-page bytes). Empty lines are
// skipped and take no number; rows are numbered "001", "002", ... Failure
// (message 38, no rows): a non-empty line with fewer than eleven fields, an
// offset of 80000000 or more, an address that leaves 32 bits after the
// offset, and with computeSize a dimensions text without "*" or a size that
// leaves 32 bits.
[[nodiscard]] PictureTableRead ParsePictureTable(std::string_view text, const PictureTableOptions& options);

// Reads the file and parses it; a file that cannot be read or is larger
// than kMaxPictureTableSize fails with message 38.
[[nodiscard]] PictureTableRead ReadPictureTable(std::string_view path, const PictureTableOptions& options);

// The table text of the list, as the reader reads it back.
[[nodiscard]] std::string PictureTableText(const PictureList& list);

// Writes the list as a table file, complete or not at all. An empty list
// fails with message 4 and writes nothing; success carries message 16; a
// file that cannot be written fails with message 2.
[[nodiscard]] Outcome WritePictureTable(std::string_view path, const PictureList& list);

// The frame size computed from "W*H" and the depth text (a trailing "*" is
// read as part of the number, so "16*" counts as 16): W * H * D / 8 rounded
// half to even, and for depth 1 W bytes per page of 8 rows. Nothing when the
// dimensions have no "*" or the size leaves 32 bits.
[[nodiscard]] std::optional<std::int64_t> ComputedFrameSize(std::string_view dimensions, std::string_view depth);

}  // namespace korvana::pictures
