#include "tones/tone_patch.h"

#include <gtest/gtest.h>

#include <deque>

#include "app/shared_texts.h"
#include "image/srecord_writer.h"
#include "support/tone_images.h"
#include "tones/tone_scanner.h"

namespace korvana::tones {
namespace {

using Bytes = std::vector<std::uint8_t>;
using test::RealTone;

// The real tones a (2140 bytes), b (1116) and c (4188) as tones 001..003
// of an image, and a folder holding copies of the three files.
struct Fixture {
  image::HandsetImage image;
  ToneList tones;
  test::TempDir dir;
  ToneFileList files;
  std::deque<app::Answer> answers;  // then Cancel
  int questions = 0;
  app::QuestionFn ask = [this](std::string_view text, std::string_view title) {
    EXPECT_EQ(std::tuple(text, title), std::tuple(app::kToneTooLargeQuestion, app::kQuestionTitle));
    ++questions;
    const app::Answer a = answers.empty() ? app::Answer::kCancel : answers.front();
    if (!answers.empty()) answers.pop_front();
    return a;
  };

  Fixture() {
    image.Assign(test::ImageWithRealTones(), "fw.bin");
    EXPECT_TRUE(ScanTones(image, tones).ok);
    for (const char* name : {"a.mmf", "b.mmf", "c.mmf"}) test::WriteBytes(dir.Path(name), RealTone(name));
    files.ReadFolder(dir.Path());
  }

  // File row f paired with tone row t for each pair, all ticked.
  ReplacementList Pairs(std::initializer_list<std::pair<int, int>> pairs) {
    ReplacementList list;
    for (const auto& [f, t] : pairs) {
      list.AddFiles(files, {f});
      list.AddTones(tones, {t});
    }
    list.TickAll();
    return list;
  }
  Bytes Slice(Address first, std::size_t size) const {
    const auto b = image.Bytes().subspan(static_cast<std::size_t>(first), size);
    return {b.begin(), b.end()};
  }
};

Bytes Resized(Bytes bytes, std::size_t size) {
  bytes.resize(size, 0);
  return bytes;
}

TEST(TonePatch, ShorterFilesAreFilledWithZerosEqualOnesGoUnchanged) {
  Fixture f;
  // a (2140) over tone 003 (c, 4188); b over tone 002 (b): equal sizes.
  const Outcome out = CopyReplacementsIntoImage(f.image, f.Pairs({{0, 2}, {1, 1}}), f.ask);
  EXPECT_EQ(std::tuple(out.ok, out.message, f.image.Modified(), f.questions),
            std::tuple(true, msg::kFileModified, true, 0));
  EXPECT_EQ(f.Slice(0x5000, 4188), Resized(RealTone("a.mmf"), 4188));
  EXPECT_EQ(f.image.Bytes()[0x5000 + 4188], 0xFF);  // nothing beyond the tone
  EXPECT_EQ(f.Slice(0x3000, 1116), RealTone("b.mmf"));
  EXPECT_EQ(f.image.Size(), 0x10000);
}

TEST(TonePatch, ALargerFileAsksAndYesWritesOnlyTheBuiltInSize) {
  Fixture f;
  const ReplacementList list = f.Pairs({{2, 1}});  // c (4188) over tone 002 (1116)
  const Bytes before = f.Slice(0, 0x10000);
  f.answers = {app::Answer::kNo};
  EXPECT_EQ(CopyReplacementsIntoImage(f.image, list, f.ask).message, msg::kNone);
  EXPECT_EQ(f.Slice(0, 0x10000), before);
  EXPECT_FALSE(f.image.Modified());

  f.answers = {app::Answer::kYes};
  ASSERT_TRUE(CopyReplacementsIntoImage(f.image, list, f.ask).ok);
  EXPECT_EQ(f.questions, 2);
  EXPECT_EQ(f.Slice(0x3000, 1116), Resized(RealTone("c.mmf"), 1116));
  EXPECT_EQ(f.image.Bytes()[0x3000 + 1116], 0xFF);
}

TEST(TonePatch, TwoRowsGiveOneS3FileWithTheRangesInListOrder) {
  Fixture f;
  const std::string s3 = f.dir.Path("p.s3");
  // a over tone 003, b over tone 001: the list sorts tone 001 first.
  const Outcome out = ExportReplacementsS3(f.Pairs({{0, 2}, {1, 0}}), s3, f.ask);
  EXPECT_EQ(std::tuple(out.ok, out.message), std::tuple(true, msg::kS3Okay));
  image::S3Writer expected;
  const std::string golden = f.dir.Path("golden.s3");
  ASSERT_TRUE(image::WriteS3Range(expected, Resized(RealTone("b.mmf"), 2140), 0x1000, 0x185B, golden, true, false).ok);
  ASSERT_TRUE(image::WriteS3Range(expected, Resized(RealTone("a.mmf"), 4188), 0x5000, 0x605B, golden, false, true).ok);
  EXPECT_EQ(test::ReadText(s3), test::ReadText(golden));
  EXPECT_EQ(test::ReadText(s3).substr(0, 18), "S00600004844521B\r\n");
  EXPECT_FALSE(f.image.Modified());  // the patch file does not touch the image
}

TEST(TonePatch, AnS3ExportThatEndsEarlyLeavesNoFileAndTheOldOneIntact) {
  Fixture f;
  const ReplacementList list = f.Pairs({{0, 0}, {2, 1}});  // a over tone 001: fine; c over tone 002: asks
  const std::string s3 = f.dir.Path("p.s3");
  for (app::Answer answer : {app::Answer::kNo, app::Answer::kCancel}) {
    f.answers = {answer};
    EXPECT_EQ(ExportReplacementsS3(list, s3, f.ask).message, msg::kNone);
    EXPECT_FALSE(std::filesystem::exists(s3));
  }
  EXPECT_EQ(ExportReplacementsS3(list, s3, f.ask, [](std::int64_t) { return false; }).message, msg::kNone);
  EXPECT_FALSE(std::filesystem::exists(s3));
  test::WriteText(s3, "old");
  std::filesystem::remove(f.dir.Path("c.mmf"));
  f.answers = {app::Answer::kYes};
  EXPECT_EQ(ExportReplacementsS3(list, s3, f.ask).message, msg::kFileError);
  EXPECT_EQ(test::ReadText(s3), "old");
  EXPECT_EQ(test::FilesIn(f.dir.Path()), (std::vector<std::string>{"a.mmf", "b.mmf", "p.s3"}));
}

TEST(TonePatch, BadRowsEndTheCommandWithTheirMessages) {
  Fixture f;
  EXPECT_EQ(CopyReplacementsIntoImage(f.image, ReplacementList{}, f.ask).message, msg::kSelectRows);
  EXPECT_EQ(ExportReplacementsS3(ReplacementList{}, f.dir.Path("x.s3"), f.ask).message, msg::kNone);
  image::HandsetImage none;
  EXPECT_EQ(CopyReplacementsIntoImage(none, f.Pairs({{1, 1}}), f.ask).message, msg::kOpenHandsetFirst);

  // Tone rows as a hand-edited table may bring them, under file b (1116 bytes).
  for (const auto& [start, stop, size, message] : std::vector<std::tuple<std::string, std::string, std::string, int>>{
           {"0x00001000", "0x00000FFF", "0", msg::kEmptyFile},
           {"0x00001000", "0x000010FF", "3000", msg::kFileError},     // the size disagrees with the range
           {"0x0000FF00", "0x000104FF", "1536", msg::kFileError}}) {  // past the end of the image
    ToneList tones;
    tones.Add({"001", start, stop, size, ""});
    ReplacementList list;
    list.AddFiles(f.files, {1});
    list.AddTones(tones, {0});
    list.TickAll();
    f.answers = {app::Answer::kYes};
    EXPECT_EQ(CopyReplacementsIntoImage(f.image, list, f.ask).message, message) << start << " " << size;
  }
  EXPECT_FALSE(f.image.Modified());
}

TEST(TonePatch, AnImageWriteThatEndsEarlyKeepsTheRowsAlreadyWritten) {
  Fixture f;
  // b over tone 001: fine; c over tone 002: asks, answered Cancel.
  EXPECT_FALSE(CopyReplacementsIntoImage(f.image, f.Pairs({{1, 0}, {2, 1}}), f.ask).ok);
  EXPECT_EQ(f.Slice(0x1000, 2140), Resized(RealTone("b.mmf"), 2140));
  EXPECT_TRUE(f.image.Modified());
}

}  // namespace
}  // namespace korvana::tones
