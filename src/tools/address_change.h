#pragma once
// Writing a new address where the old one is stored: in the image (address
// change), or as S-record patches of the tone entry (address and size) and of
// the picture directory record (address).

#include <optional>
#include <string_view>
#include <vector>

#include "image/handset_image.h"
#include "image/outcome.h"
#include "image/types.h"
#include "tools/place_list.h"

namespace korvana::tools {

// --- address change, in the image ---------------------------------------------

// Writes newAddress (hex text, up to eight digits) in its stored form at
// place. Message 39 for an empty newAddress; message 2 when the four bytes
// do not lie inside the image (nothing written); else message 13, and the
// image is modified by a change labelled "Adresse" and the place. Throws image::HexOverflow as StoredAddressOf does.
[[nodiscard]] Outcome ChangeAddressAt(image::HandsetImage& image, Address place, std::string_view newAddress);

// The same at the first ticked place of places. Message 39 comes first;
// with no ticked row nothing is written and the outcome carries message 11.
[[nodiscard]] Outcome ChangeAddress(image::HandsetImage& image, const PlaceList& places,
                                    std::string_view newAddress);

// --- offset change: the 8-byte tone entry as a patch ----------------------------

// The messages for the empty fields of the offset change: 39 for an empty
// new address, then 40 for an empty new size; none when both are given.
[[nodiscard]] std::vector<int> MissingOffsetFields(std::string_view newAddress, std::string_view newSize);

// A size field read as a decimal number of bytes: digits with blanks around
// them, 0 .. 7FFFFFFF. Nothing for any other text.
[[nodiscard]] std::optional<Length> DecimalSizeOf(std::string_view text);

// Writes to out an S-record patch of the 8 bytes at place: newAddress, then
// newSize (decimal), each stored least significant byte first. The image is
// not needed and not touched. Messages: the first of MissingOffsetFields; a
// size that is no decimal number ends silently (not ok, no message, no
// file); 2 when the file cannot be written or the entry would end past
// 7FFFFFFF; 10 on success.
[[nodiscard]] Outcome WriteOffsetPatch(Address place, std::string_view newAddress, std::string_view newSize,
                                       std::string_view out);

// --- picture offset change: the record's address field as a patch --------------

// Writes to out an S-record patch of the 4 bytes at recordPlace + 4, the
// address field of the picture record at recordPlace: newAddress stored
// least significant byte first. Messages: 39 for an empty newAddress; 2 when
// the file cannot be written or the record would end past 7FFFFFFF; 10 on
// success.
[[nodiscard]] Outcome WritePictureOffsetPatch(Address recordPlace, std::string_view newAddress,
                                              std::string_view out);

}  // namespace korvana::tools
