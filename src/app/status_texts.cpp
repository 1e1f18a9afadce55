#include "app/status_texts.h"

#include "image/path.h"

namespace korvana::app {

namespace {
struct Nouns {
  std::string_view one;
  std::string_view many;
};

Nouns NounsOf(CountedThing thing) {
  switch (thing) {
    case CountedThing::kTone: return {"Ton", "Töne"};
    case CountedThing::kPicture: return {"Bild", "Bilder"};
    case CountedThing::kString: return {"Text", "Texte"};
  }
  return {"", ""};
}
}  // namespace

std::string CountText(long long count, CountedThing thing) {
  const Nouns nouns = NounsOf(thing);
  if (count == 0) return "Keine " + std::string(nouns.many);
  return std::to_string(count) + " " + std::string(count == 1 ? nouns.one : nouns.many);
}

std::string ScanStatus(const Outcome& scanned, long long toneCount) {
  if (!scanned.ok) return {};
  return CountText(toneCount, CountedThing::kTone) + " gefunden";
}

std::string SearchStatus(const Outcome& searched, std::string_view counter, std::string_view start) {
  if (searched.ok) return "Treffer " + std::string(counter) + " bei 0x" + std::string(start);
  if (searched.message == msg::kSearchFinished) return "Keine weiteren Treffer";
  return {};
}

std::string TableLoadStatus(const Outcome& loaded, std::string_view path, long long rows, CountedThing thing) {
  if (!loaded.ok) return {};
  return image::FileNameOf(path) + " geladen: " + CountText(rows, thing);
}

std::string PatchStatus(const Outcome& patched, long long rows, CountedThing thing) {
  if (!patched.ok) return {};
  if (!patched.written.empty()) {
    std::string text = image::FileNameOf(patched.written.front()) + " geschrieben";
    if (patched.lines > 0) text += ": " + std::to_string(patched.lines) + (patched.lines == 1 ? " Zeile" : " Zeilen");
    return text;
  }
  return CountText(rows, thing) + " ins Bild geschrieben";
}

std::string NoProgramStatus(std::string_view what) {
  return "Kein Programm zum Öffnen von " + std::string(what) + " gefunden";
}

}  // namespace korvana::app
