#include "tools/place_search.h"

#include "tools/stored_address.h"

namespace korvana::tools {

Outcome FindPlaces(image::HandsetImage& image, std::span<const std::uint8_t> pattern, PlaceList& places,
                   const ProgressFn& progress) {
  places.Clear();
  // Whatever an earlier search left in the shared cursor, this one covers
  // the whole image.
  image.SetSearchStart(0);
  Outcome outcome = Outcome::Success();
  while (true) {
    const bool hit = image.FindBytes(pattern);
    if (hit) places.Add(image.FoundPos());
    if (progress && !progress(image.FoundPos())) {
      outcome = Outcome::Silent();
      outcome.detail = "search stopped";
      break;
    }
    if (!hit) break;
  }
  image.SetSearchStart(0);
  // A stopped search may have missed further places: its one hit is not
  // known to be the only one.
  if (outcome.ok) places.TickSingleHit();
  return outcome;
}

Outcome FindAddressPlaces(image::HandsetImage& image, std::string_view oldAddress, PlaceList& places,
                          const ProgressFn& progress) {
  if (oldAddress.empty()) return Outcome::Success();
  const StoredAddress stored = StoredAddressOf(oldAddress);
  return FindPlaces(image, stored, places, progress);
}

Outcome FindPictureRecordPlaces(image::HandsetImage& image, std::string_view oldAddress,
                                std::string_view dimensions, PlaceList& places, const ProgressFn& progress) {
  if (oldAddress.empty()) return Outcome::Success();
  const StoredAddress stored = StoredAddressOf(oldAddress);
  const auto sides = DimensionsOf(dimensions);
  const auto record = sides ? PictureRecordOf(*sides, stored) : std::nullopt;
  if (!record) {
    places.Clear();
    Outcome silent = Outcome::Silent();
    silent.detail = "dimensions \"" + std::string(dimensions) + "\" cannot stand in a picture record";
    return silent;
  }
  return FindPlaces(image, *record, places, progress);
}

}  // namespace korvana::tools
