#pragma once
// The tone table file: a tone list with its notes kept between runs. One
// line per row, CR LF after each, no header:
//
//   " 001 : 0x00120000 - 0x00121441  Byte: 5186 \tKlingel"
//
// Readers find the fields by position after splitting at every single
// blank, so the size caption must stay one word.

#include <string>
#include <string_view>

#include "image/outcome.h"
#include "tones/tone_list.h"

namespace korvana::tones {

// The caption of the tone list's size column, written into every line.
inline constexpr std::string_view kSizeCaption = "Byte";

// One line of the table (UTF-8, without its line end).
[[nodiscard]] std::string ToneTableLine(const ToneEntry& entry, std::string_view sizeCaption = kSizeCaption);

// The row of a table line; nothing for a line of fewer than ten words.
// Start, stop, size and note are cleaned with CleanTableField, the number is kept.
[[nodiscard]] std::optional<ToneEntry> ParseToneTableLine(std::string_view line);

// Writes every row to path, replacing any file there. The file is in the
// ANSI code page; when a note holds a character that code page lacks, the
// whole file is written in UTF-8 behind a byte order mark instead, which
// the reader recognises, so no note is ever mangled into "?". Message 4 for
// an empty list (nothing written), 6 on success, 2 when the file cannot be
// written (the old file, if any, is left as it was).
[[nodiscard]] Outcome SaveToneTable(const ToneList& list, std::string_view path,
                                    std::string_view sizeCaption = kSizeCaption);

// Replaces the rows of list by those of the table at path, in file order,
// skipping empty lines. A line that is not a table line ends the reading
// with message 7; the rows before it stay in the list. A file that cannot be
// read fails with message 2 and leaves the list as it was. Success carries
// no message.
[[nodiscard]] Outcome OpenToneTable(std::string_view path, ToneList& list);

}  // namespace korvana::tones
