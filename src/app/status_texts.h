#pragma once
// The short German lines that the status bar shows for a few seconds after
// a command: what came of a scan, a search, a table load or a patch, and
// that the desktop had no program for a file. They are composed here
// alone, from what the command's outcome carries, so that the wording is
// the same everywhere and a test can read it without a window. An empty
// text means there is nothing to add (the command's box says it all).

#include <string>
#include <string_view>

#include "image/outcome.h"

namespace korvana::app {

// What a count counts.
enum class CountedThing { kTone, kPicture, kString };

// "1 Ton", "5 Töne", "Keine Töne"; likewise "Bild"/"Bilder", "Text"/"Texte".
[[nodiscard]] std::string CountText(long long count, CountedThing thing);

// After "Durchsuche": "5 Töne gefunden", "Keine Töne gefunden".
[[nodiscard]] std::string ScanStatus(const Outcome& scanned, long long toneCount);

// After "Such": "Treffer 3 bei 0x00183C96" for a hit (counter and start
// address as the fields show them), "Keine weiteren Treffer" when the
// search ran out; empty when there was nothing to search for.
[[nodiscard]] std::string SearchStatus(const Outcome& searched, std::string_view counter, std::string_view start);

// After reading a table file at path: "demo-toene.txt geladen: 12 Töne";
// empty when the file could not be read or held a bad line (its box says so).
[[nodiscard]] std::string TableLoadStatus(const Outcome& loaded, std::string_view path, long long rows,
                                          CountedThing thing);

// After a patch: "tone.s3 geschrieben: 29 Zeilen" for a patch file (also the
// S-record file of a conversion), "3 Töne ins Bild geschrieben" for rows
// written into the image; empty for a command that failed or stopped.
[[nodiscard]] std::string PatchStatus(const Outcome& patched, long long rows, CountedThing thing);

// The desktop has no program for what (a file name or an address).
[[nodiscard]] std::string NoProgramStatus(std::string_view what);

}  // namespace korvana::app
