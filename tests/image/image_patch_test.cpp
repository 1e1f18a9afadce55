#include "image/image_patch.h"

#include <gtest/gtest.h>

#include "image/byte_diff.h"
#include "image/srecord_writer.h"
#include "support/test_support.h"

namespace korvana::image {
namespace {

using Bytes = std::vector<std::uint8_t>;
using test::ReadText;
using test::TempDir;

std::vector<std::pair<Address, Address>> Pairs(const std::vector<AddressRange>& ranges) {
  std::vector<std::pair<Address, Address>> pairs;
  for (const AddressRange& r : ranges) pairs.emplace_back(r.first, r.last);
  return pairs;
}

TEST(DifferingRanges, RunsCloserThanSixteenEqualBytesAreOneRange) {
  struct Case {
    std::vector<Address> changed;
    std::vector<std::pair<Address, Address>> ranges;
  };
  const Case cases[] = {
      {{}, {}},
      {{0}, {{0, 0}}},
      {{9999}, {{9999, 9999}}},
      {{7, 8}, {{7, 8}}},                          // across a word
      {{4095, 4096}, {{4095, 4096}}},              // across a compared block
      {{100, 116}, {{100, 116}}},                  // 15 equal bytes between
      {{100, 117}, {{100, 100}, {117, 117}}},      // 16 equal bytes between
      {{5, 21, 37, 9990}, {{5, 37}, {9990, 9990}}},
  };
  for (const Case& c : cases) {
    Bytes older(10000, 0x33);
    Bytes newer = older;
    for (Address a : c.changed) newer[static_cast<std::size_t>(a)] ^= 0x80;
    EXPECT_EQ(Pairs(DifferingRanges(older, newer)), c.ranges) << c.changed.size();
  }
  Bytes a(5000, 1), b(5000, 2);
  EXPECT_EQ(Pairs(DifferingRanges(a, b)), (std::vector<std::pair<Address, Address>>{{0, 4999}}));
}

TEST(AllChangesPatch, IsTheDiffBetweenTheLoadedAndTheSavedFile) {
  TempDir dir;
  Bytes loaded(0x3000);
  for (std::size_t i = 0; i < loaded.size(); ++i) loaded[i] = static_cast<std::uint8_t>(i * 7);
  test::WriteBytes(dir.Path("fw.bin"), loaded);
  HandsetImage image;
  ASSERT_TRUE(image.Load(dir.Path("fw.bin")).ok);
  EXPECT_EQ(WriteAllChangesS3(image, dir.Path("none.s3")).message, msg::kNoChanges);
  // A byte changed back is no difference; close and overlapping writes merge as the diff merges them.
  for (const Bytes& bytes : {Bytes{0xEE}, Bytes{loaded[0x50]}}) ASSERT_TRUE(image.CopyIntoImage(bytes, 0x50, 1).ok);
  EXPECT_EQ(WriteAllChangesS3(image, dir.Path("none.s3")).message, msg::kNoChanges);
  EXPECT_TRUE(test::FilesIn(dir.Path()) == std::vector<std::string>{"fw.bin"});
  const std::pair<Address, Bytes> writes[] = {
      {0x100, Bytes(40, 0xAB)}, {0x110, Bytes(4, 0xCD)}, {0x130, {1, 2, 3}}, {0x2FFF, {0}}};
  for (const auto& [at, bytes] : writes) {
    ASSERT_TRUE(image.CopyIntoImage(bytes, at, static_cast<Length>(bytes.size())).ok);
  }
  ASSERT_TRUE(image.SaveOverFile(false).ok);
  std::vector<AddressRange> fromJournal, fromDiff;
  EXPECT_EQ(WriteAllChangesS3(image, dir.Path("all.s3"), &fromJournal).message, msg::kS3Okay);
  ASSERT_TRUE(WriteImageDiffS3(loaded, test::ReadBytes(dir.Path("fw.bin")), dir.Path("diff.s3"), fromDiff).ok);
  EXPECT_EQ(Pairs(fromJournal), (std::vector<std::pair<Address, Address>>{{0x100, 0x132}, {0x2FFF, 0x2FFF}}));
  EXPECT_EQ(Pairs(fromDiff), Pairs(fromJournal));
  EXPECT_EQ(ReadText(dir.Path("all.s3")), ReadText(dir.Path("diff.s3")));
  EXPECT_EQ(WriteImageDiffS3(loaded, Bytes(3), dir.Path("size.s3"), fromDiff).message, msg::kFileError);
  EXPECT_TRUE(fromDiff.empty());
}

TEST(ApplyPatch, LaterRecordsWinAndAFaultyPatchChangesNothing) {
  TempDir dir;
  HandsetImage image;
  EXPECT_EQ(ApplyPatch(image, dir.Path("p.s19")).message, msg::kOpenHandsetFirst);
  image.Assign(Bytes(0x100, 0), "fw.bin");
  // S1 records: 01 02 03 04 at 10, 09 at 12, 05 at 14, 06 at F0.
  test::WriteText(dir.Path("p.s19"), "S0030000FC\nS107001001020304DE\nS104001209E0\nS104001405E2\n"
                                     "S10400F00605\nS9030000FC\n");
  // Before: the image lacks every byte of the patch.
  const PatchCheck before = VerifyPatch(image.Bytes(), dir.Path("p.s19"));
  EXPECT_TRUE(before.outcome.ok);
  EXPECT_EQ(Pairs(before.differing), (std::vector<std::pair<Address, Address>>{{0x10, 0x14}, {0xF0, 0xF0}}));
  ASSERT_TRUE(ApplyPatch(image, dir.Path("p.s19")).ok);
  EXPECT_EQ(Bytes(image.Bytes().begin() + 0x10, image.Bytes().begin() + 0x15), (Bytes{1, 2, 9, 4, 5}));
  EXPECT_TRUE(VerifyPatch(image.Bytes(), dir.Path("p.s19")).differing.empty());
  EXPECT_EQ(image.Journal().StepCount(), 1u);
  EXPECT_EQ(image.Journal().UndoLabel(), "Patch p.s19");

  const Bytes applied(image.Bytes().begin(), image.Bytes().end());
  const std::pair<std::string, int> bad[] = {
      {"S104002007D4\nS10500FF0102F8\n", msg::kFileError},   // past the end, after a good record
      {"S104002007D4\nS1040030070B\n", msg::kS3FormatBad},  // wrong checksum
      {"S104002007D4\nhello\n", msg::kS3FormatBad},
      {"", msg::kFileError},  // a folder
  };
  for (const auto& [text, message] : bad) {
    const std::string path = text.empty() ? dir.Path() : dir.Path("bad.s19");
    if (!text.empty()) test::WriteText(path, text);
    EXPECT_EQ(ApplyPatch(image, path).message, message) << text;
    EXPECT_EQ(VerifyPatch(image.Bytes(), path).outcome.message, message);
    EXPECT_EQ(Bytes(image.Bytes().begin(), image.Bytes().end()), applied);
    EXPECT_EQ(image.Journal().StepCount(), 1u);
  }
}

// The S1 and S2 files srec_cat writes of a new image, applied to an old one, give the new bytes.
TEST(ApplyPatch, FilesOfSrecCatInS1AndS2GiveTheNewBytes) {
  TempDir dir;
  for (const auto& [size, addressLength] : {std::pair<std::size_t, int>{40000, 2}, {70001, 3}}) {
    Bytes newer(size);
    for (std::size_t i = 0; i < size; ++i) newer[i] = static_cast<std::uint8_t>((i * 2654435761u) >> 24);
    test::WriteBytes(dir.Path("new.bin"), newer);
    ASSERT_EQ(test::RunShell("srec_cat '" + dir.Path("new.bin") + "' -binary -o '" + dir.Path("p.srec") +
                             "' -motorola -address-length=" + std::to_string(addressLength)).status, 0);
    HandsetImage image;
    image.Assign(Bytes(size, 0), "old.bin");
    ASSERT_TRUE(ApplyPatch(image, dir.Path("p.srec")).ok) << addressLength;
    EXPECT_TRUE(Bytes(image.Bytes().begin(), image.Bytes().end()) == newer) << addressLength;
  }
}

}  // namespace
}  // namespace korvana::image
