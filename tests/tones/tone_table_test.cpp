#include "tones/tone_table.h"

#include <gtest/gtest.h>

#include "support/tone_images.h"
#include "tones/tone_scanner.h"

namespace korvana::tones {
namespace {

using test::PutAt, test::ReadText, test::TempDir, test::WriteText, test::ToneHeader;
using Rows = std::vector<std::vector<std::string>>;

Rows Scan(std::vector<std::uint8_t> bytes) {
  image::HandsetImage image;
  image.Assign(std::move(bytes), "fw.bin");
  ToneList list;
  EXPECT_TRUE(ScanTones(image, list).ok);
  EXPECT_EQ(image.SearchStart(), 0);
  Rows rows;
  for (int i = 0; i < list.RowCount(); ++i) rows.push_back(list.RowTexts(i));
  return rows;
}

TEST(ToneScanner, KeepsSizesFrom101To1999999LooksInsideTonesButNotAtZeroOrPastTheEnd) {
  std::vector<std::uint8_t> bytes(0x400, 0);
  for (const auto& [at, length] : std::vector<std::pair<std::size_t, std::uint32_t>>{
           {0, 300},             // index 0 is never examined
           {0x010, 92},          // size 100: out
           {0x100, 93},          // size 101: in
           {0x140, 120},         // inside the tone before
           {0x200, 1999991},     // size 1999999: in, though it runs past the image
           {0x300, 1999992},     // size 2000000: out
           {0x380, 0xFFFFFFFF},  // the largest field: out, the scan goes on
           {0x3F8, 120}})        // its length field just fits
    PutAt(bytes, at, ToneHeader(length));
  auto listed = [](const Rows& rows) {
    std::vector<std::string> out;
    for (const auto& r : rows) out.push_back(r[0] + ' ' + r[1] + ' ' + r[2] + ' ' + r[3]);
    return out;
  };
  const std::vector<std::string> expected{"001 0x00000100 0x00000164 101", "002 0x00000140 0x000001BF 128",
                                          "003 0x00000200 0x001E867E 1999999", "004 0x000003F8 0x00000477 128"};
  EXPECT_EQ(listed(Scan(bytes)), expected);
  bytes.resize(0x3FD);  // now the last length field lies partly outside
  EXPECT_EQ(listed(Scan(bytes)), std::vector(expected.begin(), expected.end() - 1));
  EXPECT_TRUE(Scan(std::vector<std::uint8_t>(64, 0x4D)).empty());  // "MMMM...": no magic at all
  image::HandsetImage image;  // the size reader itself takes index 0
  image.Assign(bytes, "fw.bin");
  EXPECT_EQ(GetToneSize(image, 0), 308);
  EXPECT_FALSE(GetToneSize(image, -1));
}

TEST(ToneScanner, StartsAtTheBeginningReportsEachSearchAndStopsWhenAsked) {
  std::vector<std::uint8_t> bytes(0x300, 0);
  for (std::size_t at : {0x10u, 0x100u, 0x200u}) PutAt(bytes, at, ToneHeader(150));
  image::HandsetImage image;
  image.Assign(bytes, "fw.bin");
  image.SetSearchStart(0x100);  // as a string search that stopped at a hit leaves it
  ToneList list;
  std::vector<std::int64_t> seen;  // three hits, then the miss that began after the last
  ASSERT_TRUE(ScanTones(image, list, [&](std::int64_t v) { return seen.push_back(v), true; }).ok);
  EXPECT_EQ(seen, (std::vector<std::int64_t>{0x10, 0x100, 0x200, 0x201}));

  const Outcome stopped = ScanTones(image, list, [](std::int64_t v) { return v < 0x100; });
  EXPECT_EQ(std::tuple(stopped.ok, stopped.message, list.RowCount(), image.SearchStart()),
            std::tuple(false, msg::kNone, 2, 0));

  image::HandsetImage none;  // no image: message 3 and the list kept
  EXPECT_EQ(std::tuple(ScanTones(none, list).message, list.RowCount()), std::tuple(msg::kOpenHandsetFirst, 2));
}

TEST(ToneList, NumbersGrowPastThreeDigitsAndStopsStayInRange) {
  EXPECT_EQ(std::tuple(RowNumberText(7), RowNumberText(1000)), std::tuple("007", "1000"));
  EXPECT_EQ(MakeToneEntry(2, 0x7FFFFFF0, 16).stop, "0x7FFFFFFF");
  ToneList list;
  list.Add(MakeToneEntry(1, 0x10, 200));
  list.SetNote(0, "Klingel");
  list.SetNote(1, "gone");  // a row that no longer exists is left alone
  list.SetNote(-1, "gone");
  EXPECT_EQ(list.Row(0).note, "Klingel");
  EXPECT_EQ(list.FindByNumber("001"), 0);
  EXPECT_FALSE(list.FindByNumber("1"));
  list.Clear();
  EXPECT_FALSE(list.FindByNumber("001"));
}


ToneList ListWithNotes(const std::vector<std::string>& notes) {
  ToneList list;
  for (std::size_t i = 0; i < notes.size(); ++i) {
    ToneEntry e = MakeToneEntry(static_cast<int>(i + 1), static_cast<Address>(0x120000 + 0x2000 * i), 5186);
    e.note = notes[i];
    list.Add(e);
  }
  return list;
}

TEST(ToneTable, WritesTheFixedLineFormatWithNotesInTheAnsiCodePageAndReadsItBack) {
  TempDir dir;
  const ToneList list = ListWithNotes({"Klingel laut", "", "铃"});
  const Outcome out = SaveToneTable(list, dir.Path("t.txt"));
  EXPECT_EQ(std::tuple(out.message, out.written), std::tuple(msg::kToneTableWritten, std::vector{dir.Path("t.txt")}));
  EXPECT_EQ(ReadText(dir.Path("t.txt")),
            " 001 : 0x00120000 - 0x00121441  Byte: 5186 \tKlingel laut\r\n"
            " 002 : 0x00122000 - 0x00123441  Byte: 5186 \t\r\n"
            " 003 : 0x00124000 - 0x00125441  Byte: 5186 \t\xC1\xE5\r\n");  // GBK
  // "🎵" has no place in the ANSI code page: that file goes out as UTF-8.
  const ToneList other = ListWithNotes({" vorn 🎵", std::string(70, 'x')});
  ASSERT_TRUE(SaveToneTable(other, dir.Path("u.txt")).ok);
  ToneList back = ListWithNotes({"replaced", "not", "appended to"});
  for (const auto& [path, expected] : {std::pair{dir.Path("t.txt"), list}, {dir.Path("u.txt"), other}}) {
    ASSERT_TRUE(OpenToneTable(path, back).ok);
    EXPECT_EQ(back.Rows(), expected.Rows());
  }
}

TEST(ToneTable, SkipsBlankLinesAndFindsFieldsByPosition) {
  TempDir dir;
  WriteText(dir.Path("t.txt"),
            " 001 : 0x00000010 - 0x000000D3  Byte: 196 \tA\r\n\r\n\n"
            " 002 :  0x00000200 - 0x000002C3  Byte: 196\t \t B \r\n");  // a bad line: see the command line tests
  ToneList list;
  ASSERT_TRUE(OpenToneTable(dir.Path("t.txt"), list).ok);
  ASSERT_EQ(list.RowCount(), 2);
  EXPECT_EQ(list.Row(0).note, "A");
  // Fields are found by position: the doubled blank shifts the second line one word on.
  EXPECT_EQ(list.Row(1), (ToneEntry{"002", "", "-", "Byte:", "196  B"}));
}

TEST(ToneTable, EmptyListsAndUnreadableFilesChangeNothing) {
  TempDir dir;
  WriteText(dir.Path("old.txt"), "old content");
  EXPECT_EQ(SaveToneTable(ToneList{}, dir.Path("old.txt")).message, msg::kToneTableEmpty);
  EXPECT_EQ(ReadText(dir.Path("old.txt")), "old content");
  ToneList one = ListWithNotes({"n"});
  EXPECT_EQ(std::tuple(OpenToneTable(dir.Path("no.txt"), one).message, one.RowCount()), std::tuple(msg::kFileError, 1));
  EXPECT_EQ(SaveToneTable(one, dir.Path("no/such/folder.txt")).message, msg::kFileError);
}

}  // namespace
}  // namespace korvana::tones
