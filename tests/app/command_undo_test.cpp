// Undo and redo of each command that writes into the image: one step each, under its own label.

#include <gtest/gtest.h>

#include <functional>

#include "image/handset_image.h"
#include "pictures/encoder_test_support.h"
#include "pictures/picture_replacement.h"
#include "strings/string_patch.h"
#include "support/tone_images.h"
#include "tones/tone_patch.h"
#include "tones/tone_scanner.h"
#include "tools/address_change.h"

namespace korvana {
namespace {

using Bytes = std::vector<std::uint8_t>;

const auto kYes = [](std::string_view, std::string_view) { return app::Answer::kYes; };

// The three real tones, and a compressed picture of two 20-byte frames at 0x8000 in the list.
struct Fixture {
  image::HandsetImage image;
  pictures::PictureList pictures;
  test::TempDir dir;

  Fixture() {
    image.Assign(test::ImageWithRealTones(), "fw.bin");
    pictures.SetRows({{"001", "Abendrot", "0X00008000", "2", "20", "6*4", "16*"}});
  }
  Bytes Snapshot() const { return {image.Bytes().begin(), image.Bytes().end()}; }
};

void ReplaceThreeTones(Fixture& f) {
  tones::ToneList toneList;
  ASSERT_TRUE(tones::ScanTones(f.image, toneList).ok);
  for (const char* name : {"a.mmf", "b.mmf", "c.mmf"}) test::WriteBytes(f.dir.Path(name), test::RealTone(name));
  tones::ToneFileList files;
  files.ReadFolder(f.dir.Path());
  tones::ReplacementList list;
  for (auto [file, tone] : {std::pair{1, 0}, std::pair{0, 2}, std::pair{0, 1}}) {
    list.AddFiles(files, {file});
    list.AddTones(toneList, {tone});
  }
  for (int i = 0; i < list.RowCount(); ++i) list.SetTicked(i, true);
  ASSERT_EQ(tones::CopyReplacementsIntoImage(f.image, list, kYes).message, msg::kFileModified);
}

void ReplaceTwoStrings(Fixture& f) {
  strings::StringList list;
  ASSERT_TRUE(list.AddReplacement("00000100", "00000105", "abc", "6").ok);
  ASSERT_TRUE(list.AddReplacement("00000200", "00000203", "xy", "4").ok);
  for (int i = 0; i < list.RowCount(); ++i) list.SetTicked(i, true);
  ASSERT_EQ(strings::WriteStringsIntoImage(list, strings::StringEncoding::kEnglish, f.image).message,
            msg::kFileModified);
}

void ReplaceLargerPicture(Fixture& f) {
  const pictures::TargetRead target = pictures::ReplacementTargetOf(f.pictures, 0, 1);
  ASSERT_TRUE(target.outcome.ok);
  pictures::NewPicture picture;
  const Bytes bmp = pictures::bmptest::Bmp24Of(6, 4, pictures::bmptest::Scattered);  // compresses badly
  ASSERT_EQ(pictures::LoadNewPicture(bmp, target.target, picture, {}).message, msg::kCompressedTooLarge);
  ASSERT_EQ(pictures::ReplaceFrame(f.image, f.pictures, target.target, picture, kYes).message, msg::kPictureReplaced);
  ASSERT_NE(f.pictures.Row(0)->frameSize, "20");
}

TEST(CommandUndo, EachCommandIsOneStepThatUndoAndRedoTakeWhole) {
  struct Case { std::function<void(Fixture&)> command; std::string label; std::size_t changes; };
  const Case cases[] = {
      {ReplaceThreeTones, "Ton 001, Ton 002, Ton 003", 3},
      {ReplaceTwoStrings, "String 0x00000100, String 0x00000200", 2},
      {ReplaceLargerPicture, "Bild Abendrot, Frame 1", 1},
      {[](Fixture& f) { ASSERT_EQ(tools::ChangeAddressAt(f.image, 0x40, "1A30").message, msg::kFileModified); },
       "Adresse 0x00000040", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    Fixture f;
    const Bytes loaded = f.Snapshot();
    c.command(f);
    const Bytes changed = f.Snapshot();
    const std::string frameSize = f.pictures.Row(0)->frameSize;
    ASSERT_NE(changed, loaded);
    EXPECT_EQ(f.image.Journal().StepCount(), 1u);
    EXPECT_EQ(f.image.Journal().ChangeCount(), c.changes);
    EXPECT_EQ(f.image.Journal().UndoLabel(), c.label);

    ASSERT_TRUE(f.image.Undo());
    EXPECT_EQ(f.Snapshot(), loaded);
    EXPECT_EQ(f.pictures.Row(0)->frameSize, "20");
    EXPECT_FALSE(f.image.Modified());
    EXPECT_EQ(f.image.Journal().RedoLabel(), c.label);

    ASSERT_TRUE(f.image.Redo());
    EXPECT_EQ(f.Snapshot(), changed);
    EXPECT_EQ(f.pictures.Row(0)->frameSize, frameSize);
    EXPECT_TRUE(f.image.Modified());
  }
}

TEST(CommandUndo, AFrameSizeTheUserChangedSinceIsLeftAlone) {
  Fixture f;
  ReplaceLargerPicture(f);
  // Another table loaded meanwhile: the row is no longer the picture the step changed.
  f.pictures.SetRows({{"001", "Morgen", "0X00009000", "1", "30", "6*4", "16*"}});
  ASSERT_TRUE(f.image.Undo());
  EXPECT_EQ(f.pictures.Row(0)->frameSize, "30");
}

}  // namespace
}  // namespace korvana
