#include "app/status_texts.h"

#include <gtest/gtest.h>

namespace korvana::app {
namespace {

Outcome PatchFile(std::string path, std::int64_t lines) {
  Outcome out = Outcome::Success(msg::kS3Okay);
  out.written.push_back(std::move(path));
  out.lines = lines;
  return out;
}

TEST(StatusTexts, SayWhatCameOfTheCommandInGerman) {
  const Outcome ok = Outcome::Success();
  const struct {
    std::string text;
    std::string expected;
  } cases[] = {
      {ScanStatus(ok, 5), "5 Töne gefunden"},
      {ScanStatus(ok, 1), "1 Ton gefunden"},
      {ScanStatus(ok, 0), "Keine Töne gefunden"},
      {ScanStatus(Outcome::Failure(msg::kOpenHandsetFirst), 0), ""},
      {SearchStatus(ok, "3", "00183C96"), "Treffer 3 bei 0x00183C96"},
      {SearchStatus(Outcome::Failure(msg::kSearchFinished), "3", ""), "Keine weiteren Treffer"},
      {SearchStatus(Outcome::Failure(msg::kEnterSearchText), "", ""), ""},
      {TableLoadStatus(ok, "/t/demo-toene.txt", 12, CountedThing::kTone), "demo-toene.txt geladen: 12 Töne"},
      {TableLoadStatus(ok, "/t/bilder.txt", 1, CountedThing::kPicture), "bilder.txt geladen: 1 Bild"},
      {TableLoadStatus(Outcome::Failure(msg::kToneTableBad), "/t/x.txt", 3, CountedThing::kTone), ""},
      {PatchStatus(PatchFile("/p/tone.s3", 29), 2, CountedThing::kTone), "tone.s3 geschrieben: 29 Zeilen"},
      {PatchStatus(Outcome::Success(msg::kFileModified), 3, CountedThing::kString), "3 Texte ins Bild geschrieben"},
      {PatchStatus(Outcome::Silent(), 3, CountedThing::kTone), ""},
      {NoProgramStatus("temp.mmf"), "Kein Programm zum Öffnen von temp.mmf gefunden"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.text, c.expected);
}

}  // namespace
}  // namespace korvana::app
