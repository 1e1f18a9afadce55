#include "tones/tone_export.h"

#include <gtest/gtest.h>

#include "image/hex.h"
#include "support/tone_images.h"
#include "tones/tone_scanner.h"

namespace korvana::tones {
namespace {

using test::ReadBytes;
using test::RealTone;
using test::TempDir;

struct Scanned {
  image::HandsetImage image;
  ToneList list;
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
  TempDir dir;
  std::vector<std::int64_t> progress;
  const Outcome out = ExportTones(s.image, s.list, {0, 2}, false, dir.Path("a.mmf"),
                                  [&](std::int64_t v) { progress.push_back(v); return true; });
  EXPECT_TRUE(out.ok);
  EXPECT_EQ(out.message, msg::kMmfExported);
  EXPECT_EQ(out.written, (std::vector<std::string>{dir.Path("a-001.mmf"), dir.Path("a-003.mmf")}));
  EXPECT_EQ(test::FilesIn(dir.Path()), (std::vector<std::string>{"a-001.mmf", "a-003.mmf"}));
  EXPECT_EQ(ReadBytes(dir.Path("a-001.mmf")), RealTone("a.mmf"));
  EXPECT_EQ(ReadBytes(dir.Path("a-003.mmf")), RealTone("c.mmf"));
  EXPECT_EQ(progress, (std::vector<std::int64_t>{1, 2, 3}));  // every row, selected or not
}

TEST(ToneExport, AllExportsEveryRowButStillNeedsASelection) {
  Scanned s;
  TempDir dir;
  const Outcome none = ExportTones(s.image, s.list, {}, true, dir.Path("t.mmf"));
  EXPECT_EQ(none.message, msg::kSelectToneToExport);
  EXPECT_TRUE(test::FilesIn(dir.Path()).empty());

  // An existing, longer file of the same name ends exactly as long as the tone.
  test::WriteBytes(dir.Path("t-002.mmf"), std::vector<std::uint8_t>(9000, 7));
  const Outcome all = ExportTones(s.image, s.list, {1}, true, dir.Path("t.mmf"));
  EXPECT_TRUE(all.ok);
  EXPECT_EQ(all.written.size(), 3u);
  EXPECT_EQ(ReadBytes(dir.Path("t-002.mmf")), RealTone("b.mmf"));
}

TEST(ToneExport, ATonePastTheImageFailsWithMessage2KeepingEarlierFiles) {
  Scanned s;
  ToneList list = s.list;
  list.Add(MakeToneEntry(4, 0xFF00, 0x200));  // from a table made for a larger image
  TempDir dir;
  const Outcome out = ExportTones(s.image, list, {0, 3}, false, dir.Path("t.mmf"));
  EXPECT_FALSE(out.ok);
  EXPECT_EQ(out.message, msg::kFileError);
  EXPECT_EQ(out.written, std::vector<std::string>{dir.Path("t-001.mmf")});
  EXPECT_EQ(test::FilesIn(dir.Path()), std::vector<std::string>{"t-001.mmf"});

  ToneEntry bad = s.list.Row(0);
  bad.stop = "0x80000000";
  EXPECT_THROW((void)WriteToneFile(s.image, bad, dir.Path("x.mmf")), image::HexOverflow);
}

}  // namespace
}  // namespace korvana::tones
