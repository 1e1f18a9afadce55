#include "tones/tone_patch.h"

#include <gtest/gtest.h>

#include <deque>

#include "image/srecord_writer.h"
#include "support/tone_images.h"
#include "tones/tone_scanner.h"

namespace korvana::tones {
namespace {

using test::ReadBytes;
using test::RealTone;
using test::TempDir;

// The real tones a (2140 bytes), b (1116) and c (4188) as tones 001..003
// of an image, and a folder holding copies of the three files.
struct Fixture {
  image::HandsetImage image;
  ToneList tones;
  TempDir dir;
  ToneFileList files;
  std::deque<app::Answer> answers;
  int questions = 0;
  app::QuestionFn ask = [this](std::string_view text, std::string_view title) {
    EXPECT_EQ(text, "替换的铃声大小大于内置铃声的大小！确认要替换吗？");
    EXPECT_EQ(title, "注意");
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

  // Pairs file row f with tone row t, ticked.
  void Pair(ReplacementList& list, int f, int t) {
    list.AddFiles(files, {f});
    list.AddTones(tones, {t});
    for (int i = 0; i < list.RowCount(); ++i) list.SetTicked(i, true);
  }
};

std::vector<std::uint8_t> Padded(std::vector<std::uint8_t> bytes, std::size_t size) {
  bytes.resize(size, 0);
  return bytes;
}

std::vector<std::uint8_t> Slice(const image::HandsetImage& image, Address first, std::size_t size) {
  const auto b = image.Bytes().subspan(static_cast<std::size_t>(first), size);
  return {b.begin(), b.end()};
}

TEST(TonePatch, ShorterFilesAreFilledWithZerosEqualOnesGoUnchanged) {
  Fixture f;
  ReplacementList list;
  f.Pair(list, 0, 2);  // a (2140) over tone 003 (c, 4188)
  f.Pair(list, 1, 1);  // b over tone 002 (b): equal sizes
  const Outcome out = CopyReplacementsIntoImage(f.image, list, f.ask);
  EXPECT_TRUE(out.ok);
  EXPECT_EQ(out.message, msg::kFileModified);
  EXPECT_TRUE(f.image.Modified());
  EXPECT_EQ(f.questions, 0);
  EXPECT_EQ(Slice(f.image, 0x5000, 4188), Padded(RealTone("a.mmf"), 4188));
  EXPECT_EQ(Slice(f.image, 0x3000, 1116), RealTone("b.mmf"));
  EXPECT_EQ(f.image.Bytes()[0x5000 + 4188], 0xFF);  // nothing beyond the tone
  EXPECT_EQ(f.image.Size(), 0x10000);
}

TEST(TonePatch, ALargerFileAsksAndYesWritesOnlyTheBuiltInSize) {
  Fixture f;
  ReplacementList list;
  f.Pair(list, 2, 1);  // c (4188) over tone 002 (1116)
  f.answers = {app::Answer::kNo};
  const auto before = Slice(f.image, 0, 0x10000);
  EXPECT_EQ(CopyReplacementsIntoImage(f.image, list, f.ask).message, msg::kNone);
  EXPECT_EQ(Slice(f.image, 0, 0x10000), before);
  EXPECT_FALSE(f.image.Modified());

  f.answers = {app::Answer::kYes};
  ASSERT_TRUE(CopyReplacementsIntoImage(f.image, list, f.ask).ok);
  EXPECT_EQ(f.questions, 2);
  const auto c = RealTone("c.mmf");
  EXPECT_EQ(Slice(f.image, 0x3000, 1116), std::vector<std::uint8_t>(c.begin(), c.begin() + 1116));
  EXPECT_EQ(f.image.Bytes()[0x3000 + 1116], 0xFF);
}

TEST(TonePatch, TwoRowsGiveOneS3FileWithTheRangesInListOrder) {
  Fixture f;
  ReplacementList list;
  f.Pair(list, 0, 2);  // a over tone 003
  f.Pair(list, 1, 0);  // b over tone 001
  const std::string s3 = f.dir.Path("p.s3");
  const Outcome out = ExportReplacementsS3(list, s3, f.ask);
  EXPECT_TRUE(out.ok);
  EXPECT_EQ(out.message, msg::kS3Okay);
  image::S3Writer expected;
  const std::string golden = f.dir.Path("golden.s3");
  ASSERT_TRUE(image::WriteS3Range(expected, Padded(RealTone("b.mmf"), 2140), 0x1000, 0x185B, golden, true, false).ok);
  ASSERT_TRUE(image::WriteS3Range(expected, Padded(RealTone("a.mmf"), 4188), 0x5000, 0x605B, golden, false, true).ok);
  EXPECT_EQ(test::ReadText(s3), test::ReadText(golden));
  EXPECT_EQ(test::ReadText(s3).substr(0, 18), "S00600004844521B\r\n");
  EXPECT_FALSE(f.image.Modified());  // the patch file does not touch the image
}

TEST(TonePatch, AnS3ExportThatEndsEarlyLeavesNoFileAndTheOldOneIntact) {
  Fixture f;
  ReplacementList list;
  f.Pair(list, 0, 0);  // a over tone 001: fine
  f.Pair(list, 2, 1);  // c over tone 002: asks
  const std::string s3 = f.dir.Path("p.s3");
  for (app::Answer answer : {app::Answer::kNo, app::Answer::kCancel}) {
    f.answers = {answer};
    EXPECT_EQ(ExportReplacementsS3(list, s3, f.ask).message, msg::kNone);
    EXPECT_FALSE(std::filesystem::exists(s3));
  }
  test::WriteText(s3, "old");
  std::filesystem::remove(f.dir.Path("c.mmf"));
  f.answers = {app::Answer::kYes};
  EXPECT_EQ(ExportReplacementsS3(list, s3, f.ask).message, msg::kFileError);
  EXPECT_EQ(test::ReadText(s3), "old");
  EXPECT_EQ(test::FilesIn(f.dir.Path()), (std::vector<std::string>{"a.mmf", "b.mmf", "p.s3"}));
}

TEST(TonePatch, BadRowsEndTheCommandWithTheirMessages) {
  Fixture f;
  ReplacementList list;
  EXPECT_EQ(CopyReplacementsIntoImage(f.image, list, f.ask).message, msg::kSelectRows);
  EXPECT_EQ(ExportReplacementsS3(list, f.dir.Path("x.s3"), f.ask).message, msg::kNone);

  // Tone rows as a hand-edited table may bring them.
  auto rowWith = [&](const std::string& start, const std::string& stop, const std::string& size) {
    ToneList tones;
    tones.Add({"001", start, stop, size, ""});
    ReplacementList l;
    l.AddFiles(f.files, {1});
    l.AddTones(tones, {0});
    l.SetTicked(0, true);
    return l;
  };
  f.answers = {app::Answer::kYes, app::Answer::kYes};
  EXPECT_EQ(CopyReplacementsIntoImage(f.image, rowWith("0x00001000", "0x00000FFF", "0"), f.ask).message,
            msg::kEmptyFile);
  // A size that disagrees with its range would write past the tone.
  EXPECT_EQ(CopyReplacementsIntoImage(f.image, rowWith("0x00001000", "0x000010FF", "3000"), f.ask).message,
            msg::kFileError);
  EXPECT_EQ(CopyReplacementsIntoImage(f.image, rowWith("0x0000FF00", "0x000104FF", "1536"), f.ask).message,
            msg::kFileError);  // past the end of the image
  EXPECT_FALSE(f.image.Modified());

  image::HandsetImage none;
  ReplacementList ok;
  f.Pair(ok, 1, 1);
  EXPECT_EQ(CopyReplacementsIntoImage(none, ok, f.ask).message, msg::kOpenHandsetFirst);
}

TEST(TonePatch, AnImageWriteThatEndsEarlyKeepsTheRowsAlreadyWritten) {
  Fixture f;
  ReplacementList list;
  f.Pair(list, 1, 0);  // b over tone 001: fine
  f.Pair(list, 2, 1);  // c over tone 002: asks, answered Cancel
  f.answers = {app::Answer::kCancel};
  EXPECT_FALSE(CopyReplacementsIntoImage(f.image, list, f.ask).ok);
  EXPECT_EQ(Slice(f.image, 0x1000, 2140), Padded(RealTone("b.mmf"), 2140));
  EXPECT_TRUE(f.image.Modified());
}

}  // namespace
}  // namespace korvana::tones
