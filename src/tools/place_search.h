#pragma once
// The search of the tool windows: every place of a byte pattern in the image,
// listed as numbered rows.

#include <cstdint>
#include <span>
#include <string_view>

#include "image/handset_image.h"
#include "image/outcome.h"
#include "image/types.h"
#include "tools/place_list.h"

namespace korvana::tools {

// Clears places and lists every hit of pattern in image, searching with the
// shared cursor from a fresh start until the first miss (index 0 is never
// examined, overlapping hits are all found). The single hit of a search is
// ticked. progress gets FoundPos after each step; when it returns false the
// search stops and keeps the rows found so far (outcome silent, not ok).
// Leaves the shared cursor at 0 in every case. Messages: none.
Outcome FindPlaces(image::HandsetImage& image, std::span<const std::uint8_t> pattern, PlaceList& places,
                   const ProgressFn& progress);

// The address change search: the places where oldAddress (hex text, up to
// eight digits) is stored. An empty oldAddress does nothing at all (the list
// stays as it was). Throws image::HexOverflow as StoredAddressOf does.
Outcome FindAddressPlaces(image::HandsetImage& image, std::string_view oldAddress, PlaceList& places,
                          const ProgressFn& progress);

// The picture offset search: the places of the directory record of the
// picture at oldAddress with the dimensions "W*H". An empty oldAddress does
// nothing. Dimensions without "*" or with a side outside 0..65535 clear the
// list and end the search silently (not ok, no message): no record can hold
// them. Throws image::HexOverflow as StoredAddressOf does.
Outcome FindPictureRecordPlaces(image::HandsetImage& image, std::string_view oldAddress,
                                std::string_view dimensions, PlaceList& places, const ProgressFn& progress);

}  // namespace korvana::tools
