#pragma once
// Writing built-in tones out as SMAF files: one tone for playing, and the
// export of selected or all tones of the list.

#include <string>
#include <string_view>
#include <vector>

#include "image/handset_image.h"
#include "image/outcome.h"
#include "image/types.h"
#include "tones/tone_list.h"

namespace korvana::tones {

// The file for the tone numbered number, from the name the user chose: a
// trailing ".mmf" (in any case) is dropped, then "-", the number and ".mmf"
// follow, so "ring.mmf" gives "ring-003.mmf" and "tones" "tones-003.mmf".
[[nodiscard]] std::string ExportFileName(std::string_view chosenPath, std::string_view number);

// Writes the image bytes start .. stop of entry to path, replacing any file
// there, so that the file holds exactly the tone. Fails with message 2 when
// the range does not lie inside the image (the list may describe another
// image) or the file cannot be written. Throws HexOverflow for an address
// text of 80000000 or more.
[[nodiscard]] Outcome WriteToneFile(const image::HandsetImage& image, const ToneEntry& entry, std::string_view path);

// "Exportiere Ton" (all = false: the selected rows) and "Alle exporten"
// (all = true: every row). Both need a selected row, else message 8 and
// nothing is written. progress receives each row's position in the list
// (from 1), selected or not, and may stop the export. Success carries
// message 9 and the files written; a failure ends the export with message 2,
// the files written so far stay and are listed in the outcome.
[[nodiscard]] Outcome ExportTones(const image::HandsetImage& image, const ToneList& list,
                                  const std::vector<int>& selectedRows, bool all, std::string_view chosenPath,
                                  const ProgressFn& progress = {});

}  // namespace korvana::tones
