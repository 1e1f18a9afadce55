#pragma once
// The commands of the picture list's popup menu: every frame of chosen
// pictures as BMP files, and the bytes of chosen pictures as an S-record
// patch.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "image/handset_image.h"
#include "image/outcome.h"
#include "image/types.h"
#include "pictures/picture_list.h"
#include "pictures/stored_picture_format.h"

namespace korvana::pictures {

// folder + the name without leading and trailing blanks + "-" + the frame
// number (from 1) with at least two digits + ".bmp": "Logo-01.bmp",
// "Logo-100.bmp". Path separators inside the name become "_", so that a
// table cannot send a file out of the chosen folder.
[[nodiscard]] std::string ExportFileName(std::string_view folder, std::string_view name, std::int64_t frameNumber);

// Called once for every frame whose depth no decoder handles, with the row
// it belongs to (the frame is skipped; the export goes on).
using UnsupportedDepthFn = std::function<void(const PictureEntry& row)>;

// Writes every frame of the given rows (list order, each file complete or
// absent) into folder. Success carries message 18 and the files written. A
// row whose numbers do not parse ends the command with its message (2 or
// 38); a file that cannot be written ends it with message 2. Files written
// before a failure stay and are listed. progress gets the number of rows
// done; returning false stops the export silently.
[[nodiscard]] Outcome ExportPictures(const image::HandsetImage& image, const PictureList& list,
                                     const std::vector<int>& rows, std::string_view folder,
                                     const Palette16& palette, const ProgressFn& progress,
                                     const UnsupportedDepthFn& onUnsupportedDepth);

// The bytes of all frames of each given row, address .. address + count *
// frameSize - 1, as one S-record file: one header line, the ranges in list
// order, one end line. Success carries message 10. No rows: nothing written,
// no message. A row whose frames cover no byte, lie outside the image or
// whose numbers do not parse fails with message 2 and leaves no file.
[[nodiscard]] Outcome WritePicturePatch(const image::HandsetImage& image, const PictureList& list,
                                        const std::vector<int>& rows, std::string_view path,
                                        const ProgressFn& progress);

}  // namespace korvana::pictures
