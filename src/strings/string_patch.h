#pragma once
// The two exports of the string replacement list: the ticked rows as one
// S-record patch file, or written into the image. The replacement texts are
// encoded at export time with the encoding chosen then, and only each row's
// found range is written: surplus bytes are dropped and the zero byte that
// ends the firmware string stays.

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "image/handset_image.h"
#include "image/outcome.h"
#include "strings/string_encoding.h"
#include "strings/string_list.h"

namespace korvana::strings {

// The data of one row: its replacement text (with its blanks) in the
// encoding. Nothing when a character cannot be encoded.
[[nodiscard]] std::optional<std::vector<std::uint8_t>> ReplacementBytesOf(const StringEntry& entry,
                                                                          StringEncoding encoding);

// "Export s3": every ticked row, in list order, into the one file fileName.
// Success carries message 10. Any failure (a character the encoding lacks,
// data shorter than the range, the file not writable) carries message 17
// and leaves no file; an existing file of that name stays as it was. With
// no ticked row nothing is written and nothing shown. Throws
// image::HexOverflow, before anything is written, for an address of
// 80000000 or more.
[[nodiscard]] Outcome WriteStringPatch(const StringList& list, StringEncoding encoding, std::string_view fileName);

// "bin Exp.": every ticked row, in list order, into the image, which is then
// marked modified (also with no ticked row), with message 13. The rows are
// one step of undo, each change labelled "String" and its start. All rows are
// checked before the first byte is copied, so a failure (a character the
// encoding lacks, data shorter than the range, a range outside the image)
// carries message 2 and leaves the image untouched. Throws
// image::HexOverflow, before anything is copied, for an address of 80000000
// or more.
[[nodiscard]] Outcome WriteStringsIntoImage(const StringList& list, StringEncoding encoding,
                                            image::HandsetImage& image);

}  // namespace korvana::strings
