#include "tones/tone_export.h"

#include <gtest/gtest.h>

#include "image/hex.h"
#include "support/tone_images.h"
#include "tones/tone_scanner.h"

namespace korvana::tones {
namespace {

using test::FilesIn;
using test::ReadBytes;
using test::RealTone;

struct Scanned {
  image::HandsetImage image;
  ToneList list;
  test::TempDir dir;
  Scanned() {
    image.Assign(test::ImageWithRealTones(), "fw.bin");
    EXPECT_TRUE(ScanTones(image, list).ok);
  }
};

TEST(ToneExport, NamesFilesAfterTheChosenNameAndTheRowNumber) {
  EXPECT_EQ(ExportFileName("/x/ring.mmf", "003"), "/x/ring-003.mmf");
  EXPECT_EQ(ExportFileName("/x/RING.MMF", "003"), "/x/RING-003.mmf");
  EXPECT_EQ(ExportFileName("/x/tones", "001"), "/x/tones-001.mmf");
  EXPECT_EQ(ExportFileName("/x/a.mmf.bak", "001"), "/x/a.mmf.bak-001.mmf");
}

TEST(ToneExport, WritesTheSelectedTonesByteIdenticalToTheEmbeddedFiles) {
  Scanned s;
  std::vector<std::int64_t> progress;
  const Outcome out = ExportTones(s.image, s.list, {0, 2}, false, s.dir.Path("a.mmf"),
                                  [&](std::int64_t v) { return progress.push_back(v), true; });
  EXPECT_EQ(std::tuple(out.ok, out.message), std::tuple(true, msg::kMmfExported));
  EXPECT_EQ(out.written, (std::vector<std::string>{s.dir.Path("a-001.mmf"), s.dir.Path("a-003.mmf")}));
  EXPECT_EQ(FilesIn(s.dir.Path()), (std::vector<std::string>{"a-001.mmf", "a-003.mmf"}));
  EXPECT_EQ(ReadBytes(s.dir.Path("a-001.mmf")), RealTone("a.mmf"));
  EXPECT_EQ(ReadBytes(s.dir.Path("a-003.mmf")), RealTone("c.mmf"));
  EXPECT_EQ(progress, (std::vector<std::int64_t>{1, 2, 3}));  // every row, selected or not

  const Outcome stopped =
      ExportTones(s.image, s.list, {0, 2}, false, s.dir.Path("b.mmf"), [](std::int64_t) { return false; });
  EXPECT_EQ(std::tuple(stopped.ok, stopped.message, stopped.written.size()), std::tuple(false, msg::kNone, 1u));
}

TEST(ToneExport, AllExportsEveryRowButStillNeedsASelection) {
  Scanned s;
  EXPECT_EQ(ExportTones(s.image, s.list, {}, true, s.dir.Path("t.mmf")).message, msg::kSelectToneToExport);
  EXPECT_TRUE(FilesIn(s.dir.Path()).empty());
  // An existing, longer file of the same name ends exactly as long as the tone.
  test::WriteBytes(s.dir.Path("t-002.mmf"), std::vector<std::uint8_t>(9000, 7));
  const Outcome all = ExportTones(s.image, s.list, {1}, true, s.dir.Path("t.mmf"));
  EXPECT_EQ(std::tuple(all.ok, all.written.size()), std::tuple(true, 3u));
  EXPECT_EQ(ReadBytes(s.dir.Path("t-002.mmf")), RealTone("b.mmf"));
}

TEST(ToneExport, ATonePastTheImageFailsWithMessage2KeepingEarlierFiles) {
  Scanned s;
  ToneList list = s.list;
  list.Add(MakeToneEntry(4, 0xFF00, 0x100));  // the last byte of the image: fine
  list.Add(MakeToneEntry(5, 0xFF00, 0x101));  // from a table made for a larger image
  const Outcome out = ExportTones(s.image, list, {0, 3, 4}, false, s.dir.Path("t.mmf"));
  EXPECT_EQ(std::tuple(out.ok, out.message), std::tuple(false, msg::kFileError));
  EXPECT_EQ(out.written, (std::vector<std::string>{s.dir.Path("t-001.mmf"), s.dir.Path("t-004.mmf")}));
  EXPECT_EQ(FilesIn(s.dir.Path()), (std::vector<std::string>{"t-001.mmf", "t-004.mmf"}));

  ToneEntry bad = s.list.Row(0);
  bad.stop = "0x00000FFF";  // before its start
  EXPECT_EQ(WriteToneFile(s.image, bad, s.dir.Path("x.mmf")).message, msg::kFileError);
  bad.stop = "0x80000000";
  EXPECT_THROW((void)WriteToneFile(s.image, bad, s.dir.Path("x.mmf")), image::HexOverflow);
  EXPECT_EQ(WriteToneFile(s.image, s.list.Row(0), s.dir.Path("no/such/x.mmf")).message, msg::kFileError);
}

}  // namespace
}  // namespace korvana::tones
