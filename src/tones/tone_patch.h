#pragma once
// Carrying out the replacement list: each ticked, complete row puts its
// SMAF file over the built-in tone's range, cut or filled with 0x00 to the
// built-in size, so that no tone moves and the image keeps its length.

#include <cstdint>
#include <string_view>
#include <vector>

#include "app/question.h"
#include "image/handset_image.h"
#include "image/outcome.h"
#include "image/types.h"
#include "tones/replacement_list.h"

namespace korvana::tones {

// The bytes of one row, ready to go over the built-in tone.
struct ReplacementData {
  AddressRange range;               // the built-in tone, first .. last
  std::vector<std::uint8_t> bytes;  // exactly range.Size() bytes
};

// Reads one row as the patch commands do. When the file is larger than the
// built-in tone, ask decides (Yes: its excess is dropped; No or Cancel: the
// command ends, Silent). Fails with message 2 when the tone part cannot be
// read, its size does not match its address range or exceeds the largest
// tone, or the file cannot be opened (from the path kept in the row); with
// message 1 for a built-in size of 0. Throws HexOverflow for an address of
// 80000000 or more.
[[nodiscard]] Outcome ReadReplacement(const ReplacementRow& row, const app::QuestionFn& ask, ReplacementData& data);

// "Export s3": one S-record file at s3Path for every patch row, ranges in
// list order. The file reaches the disk only once its last range and end
// line are written, so a command that ends early (an answer, a failure)
// leaves no file, and an existing file of that name as it was. Success carries message 10; with no
// patch row the command ends silently.
[[nodiscard]] Outcome ExportReplacementsS3(const ReplacementList& list, std::string_view s3Path,
                                           const app::QuestionFn& ask, const ProgressFn& progress = {});

// "-> bin!!": writes every patch row into the image, in list order, as one
// step of undo whose changes are labelled "Ton " and the tone's number. No
// patch row: message 11. Success: message 13, the image marked modified.
// Ending early keeps the rows already written (the image then stays marked
// modified). Message 3 when no image is loaded.
[[nodiscard]] Outcome CopyReplacementsIntoImage(image::HandsetImage& image, const ReplacementList& list,
                                                const app::QuestionFn& ask, const ProgressFn& progress = {});

}  // namespace korvana::tones
