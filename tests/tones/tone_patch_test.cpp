#include "tones/tone_patch.h"

#include <gtest/gtest.h>

#include <deque>

#include "app/shared_texts.h"
#include "image/hex.h"
#include "image/srecord_writer.h"
#include "support/tone_images.h"
#include "tones/tone_export.h"
#include "tones/tone_scanner.h"

namespace korvana::tones {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Names = std::vector<std::string>;
using test::FilesIn, test::ReadBytes, test::RealTone;

// The real tones a (2140 bytes), b (1116), c (4188) as tones 001..003, their files in `dir`.
struct Fixture {
  image::HandsetImage image;
  ToneList tones;
  test::TempDir dir, out;
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

TEST(TonePatch, ALargerFileAsksAndYesWritesOnlyTheBuiltInSize) {
  Fixture f;
  const ReplacementList list = f.Pairs({{2, 1}});  // c (4188) over tone 002 (1116)
  const Bytes before = f.Slice(0, 0x10000);
  f.answers = {app::Answer::kNo};
  EXPECT_EQ(CopyReplacementsIntoImage(f.image, list, f.ask).message, msg::kNone);
  EXPECT_EQ(std::tuple(f.Slice(0, 0x10000) == before, f.image.Modified()), std::tuple(true, false));
  f.answers = {app::Answer::kYes};
  ASSERT_TRUE(CopyReplacementsIntoImage(f.image, list, f.ask).ok);
  EXPECT_EQ(std::tuple(f.questions, f.Slice(0x3000, 1116)), std::tuple(2, Resized(RealTone("c.mmf"), 1116)));
  EXPECT_EQ(f.image.Bytes()[0x3000 + 1116], 0xFF);

  // Cancel ends the command but keeps the rows written before it.
  Fixture g;
  EXPECT_FALSE(CopyReplacementsIntoImage(g.image, g.Pairs({{1, 0}, {2, 1}}), g.ask).ok);
  EXPECT_EQ(std::tuple(g.Slice(0x1000, 2140), g.image.Modified()), std::tuple(Resized(RealTone("b.mmf"), 2140), true));
}

TEST(TonePatch, TwoRowsGiveOneS3FileWithTheRangesInListOrder) {
  Fixture f;
  const std::string s3 = f.out.Path("p.s3");
  // a over tone 003, b over tone 001: the list sorts tone 001 first.
  const Outcome out = ExportReplacementsS3(f.Pairs({{0, 2}, {1, 0}}), s3, f.ask);
  EXPECT_EQ(std::tuple(out.ok, out.message), std::tuple(true, msg::kS3Okay));
  image::S3Writer expected;
  const std::string golden = f.out.Path("golden.s3");
  ASSERT_TRUE(image::WriteS3Range(expected, Resized(RealTone("b.mmf"), 2140), 0x1000, 0x185B, golden, true, false).ok);
  ASSERT_TRUE(image::WriteS3Range(expected, Resized(RealTone("a.mmf"), 4188), 0x5000, 0x605B, golden, false, true).ok);
  EXPECT_EQ(test::ReadText(s3), test::ReadText(golden));
  EXPECT_FALSE(f.image.Modified());  // the patch file does not touch the image
}

TEST(TonePatch, AnS3ExportThatEndsEarlyLeavesNoFileAndTheOldOneIntact) {
  Fixture f;
  const ReplacementList list = f.Pairs({{0, 0}, {2, 1}});  // a over tone 001: fine; c over tone 002: asks
  const std::string s3 = f.out.Path("p.s3");
  f.answers = {app::Answer::kNo};  // then Cancel
  EXPECT_EQ(ExportReplacementsS3(list, s3, f.ask).message, msg::kNone);
  EXPECT_EQ(ExportReplacementsS3(list, s3, f.ask).message, msg::kNone);
  EXPECT_EQ(ExportReplacementsS3(list, s3, f.ask, [](std::int64_t) { return false; }).message, msg::kNone);
  EXPECT_TRUE(FilesIn(f.out.Path()).empty());
  test::WriteText(s3, "old");
  std::filesystem::remove(f.dir.Path("c.mmf"));
  f.answers = {app::Answer::kYes};
  EXPECT_EQ(ExportReplacementsS3(list, s3, f.ask).message, msg::kFileError);
  EXPECT_EQ(std::tuple(test::ReadText(s3), FilesIn(f.out.Path())), std::tuple("old", Names{"p.s3"}));
}

TEST(TonePatch, BadRowsEndTheCommandWithTheirMessages) {
  Fixture f;
  EXPECT_EQ(CopyReplacementsIntoImage(f.image, ReplacementList{}, f.ask).message, msg::kSelectRows);
  EXPECT_EQ(ExportReplacementsS3(ReplacementList{}, f.out.Path("x.s3"), f.ask).message, msg::kNone);
  image::HandsetImage none;
  EXPECT_EQ(CopyReplacementsIntoImage(none, f.Pairs({{1, 1}}), f.ask).message, msg::kOpenHandsetFirst);
  // Tone rows as a hand-edited table may bring them, under file b (1116 bytes).
  for (const auto& [start, stop, size, message] : std::vector<std::tuple<std::string, std::string, std::string, int>>{
           {"0x00001000", "0x00000FFF", "0", msg::kEmptyFile},
           {"0x00001000", "0x000010FF", "3000", msg::kFileError}}) {  // the size disagrees with the range
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

TEST(ToneExport, ProgressCountsEveryRowLongerFilesAreCutAndATonePastTheImageFails) {
  EXPECT_EQ(std::tuple(ExportFileName("/x/RING.MMF", "003"), ExportFileName("/x/a.mmf.bak", "001")),
            std::tuple("/x/RING-003.mmf", "/x/a.mmf.bak-001.mmf"));
  Fixture f;
  auto path = [&f](const char* name) { return f.out.Path(name); };
  std::vector<std::int64_t> progress;
  const auto count = [&](std::int64_t v) { return progress.push_back(v), true; };
  EXPECT_TRUE(ExportTones(f.image, f.tones, {2}, false, path("a.mmf"), count).ok);
  EXPECT_EQ(progress, (std::vector<std::int64_t>{1, 2, 3}));  // every row, selected or not
  const Outcome stopped =
      ExportTones(f.image, f.tones, {0, 2}, false, path("b.mmf"), [](std::int64_t) { return false; });
  EXPECT_EQ(std::tuple(stopped.ok, stopped.message, stopped.written.size()), std::tuple(false, msg::kNone, 1u));
  test::WriteBytes(path("t-002.mmf"), Bytes(9000, 7));
  EXPECT_EQ(ExportTones(f.image, f.tones, {1}, true, path("t.mmf")).written.size(), 3u);
  EXPECT_EQ(ReadBytes(path("t-002.mmf")), RealTone("b.mmf"));
  // A tone past the image fails with message 2, keeping the files before it.
  ToneList list = f.tones;
  list.Add(MakeToneEntry(4, 0xFF00, 0x100));  // the last byte of the image: fine
  list.Add(MakeToneEntry(5, 0xFF00, 0x101));  // from a table made for a larger image
  const Outcome out = ExportTones(f.image, list, {0, 3, 4}, false, path("u.mmf"));
  EXPECT_EQ(std::tuple(out.ok, out.message, out.written),
            std::tuple(false, msg::kFileError, Names{path("u-001.mmf"), path("u-004.mmf")}));
  ToneEntry bad = f.tones.Row(0);
  bad.stop = "0x00000FFF";  // before its start
  EXPECT_EQ(WriteToneFile(f.image, bad, f.out.Path("x.mmf")).message, msg::kFileError);
  bad.stop = "0x80000000";
  EXPECT_THROW((void)WriteToneFile(f.image, bad, f.out.Path("x.mmf")), image::HexOverflow);
  EXPECT_EQ(WriteToneFile(f.image, f.tones.Row(0), f.out.Path("no/such/x.mmf")).message, msg::kFileError);
}

}  // namespace
}  // namespace korvana::tones
