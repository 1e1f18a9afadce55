#pragma once
// Patches of a whole image: the patch of all changes since the load, the
// patch between two images, and an S-record patch applied to an image or
// checked against it. All ranges follow DiffRangeBuilder.

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "image/handset_image.h"
#include "image/outcome.h"
#include "image/types.h"

namespace korvana::image {

// "Alle Änderungen als s3": one S-record file at path of the bytes where the
// image differs from the image as loaded, found from the journal. Success
// carries message 10 and the ranges in ranges; no difference fails with
// message 44 and writes nothing; a file that cannot be written fails with
// message 2 and leaves none.
[[nodiscard]] Outcome WriteAllChangesS3(const HandsetImage& image, std::string_view path,
                                        std::vector<AddressRange>* ranges = nullptr);

// The patch that turns older into newer, at path, and its ranges in ranges.
// Images of different sizes fail with message 2; equal images write nothing
// and succeed with no message and no range.
[[nodiscard]] Outcome WriteImageDiffS3(std::span<const std::uint8_t> older, std::span<const std::uint8_t> newer,
                                       std::string_view path, std::vector<AddressRange>& ranges);

// The data of an S-record patch as it would leave an image: the records'
// bytes, a later record winning where two overlap, joined into blocks of
// adjacent bytes in address order.
struct PatchBlock {
  Address first = 0;
  std::vector<std::uint8_t> bytes;
};
struct PatchContent {
  Outcome outcome;
  std::vector<PatchBlock> blocks;
};

// Reads every data record of the file at path (S1, S2 or S3, checksums
// checked) for an image of imageSize bytes. Fails with message 22 at a line
// that is no well-formed record (the detail names it), message 2 for a
// record that reaches past the image's end or a file that cannot be read.
[[nodiscard]] PatchContent ReadPatch(std::string_view path, std::int64_t imageSize);

// Writes the patch at path into image as one step labelled "Patch" and the
// file's name. The whole patch is read and checked first, so a failure
// (those of ReadPatch) leaves the image as it was.
[[nodiscard]] Outcome ApplyPatch(HandsetImage& image, std::string_view path);

// The ranges where image differs from what the patch at path would leave
// there; none when the image holds every byte of the patch. Failures as
// ReadPatch, with no range.
struct PatchCheck {
  Outcome outcome;
  std::vector<AddressRange> differing;
};
[[nodiscard]] PatchCheck VerifyPatch(std::span<const std::uint8_t> image, std::string_view path);

}  // namespace korvana::image
