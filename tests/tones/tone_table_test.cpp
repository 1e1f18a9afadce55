#include "tones/tone_table.h"

#include <gtest/gtest.h>

#include "support/tone_images.h"
#include "tones/tone_scanner.h"

namespace korvana::tones {
namespace {

using test::PutAt;
using test::ReadText;
using test::TempDir;
using test::WriteText;
using test::ToneHeader;
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

TEST(ToneScanner, ListsTheRealTonesWithTheirAddressesAndSizes) {
  EXPECT_EQ(Scan(test::ImageWithRealTones()), (Rows{{"001", "0x00001000", "0x0000185B", "2140", ""},
                                                    {"002", "0x00003000", "0x0000345B", "1116", ""},
                                                    {"003", "0x00005000", "0x0000605B", "4188", ""}}));
}

TEST(ToneScanner, KeepsSizesFrom101To1999999AndNumbersOnlyWhatItLists) {
  std::vector<std::uint8_t> bytes(0x400, 0);
  PutAt(bytes, 0x010, ToneHeader(92));          // size 100: out
  PutAt(bytes, 0x100, ToneHeader(93));          // size 101: in
  PutAt(bytes, 0x200, ToneHeader(1999991));     // size 1999999: in, though it runs past the image
  PutAt(bytes, 0x300, ToneHeader(1999992));     // size 2000000: out
  PutAt(bytes, 0x380, ToneHeader(0xFFFFFFFF));  // the largest field: out, the scan goes on
  PutAt(bytes, 0x3C0, ToneHeader(200));
  const Rows rows = Scan(bytes);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0], (std::vector<std::string>{"001", "0x00000100", "0x00000164", "101", ""}));
  EXPECT_EQ(rows[1][0] + ' ' + rows[1][3], "002 1999999");
  EXPECT_EQ(rows[2][0] + ' ' + rows[2][1], "003 0x000003C0");
}

TEST(ToneScanner, ExaminesMagicsInsideTonesButNeverIndexZero) {
  std::vector<std::uint8_t> bytes(0x400, 0);
  PutAt(bytes, 0, ToneHeader(300));      // index 0 is never examined
  PutAt(bytes, 0x100, ToneHeader(500));  // 0x100 .. 0x2FB
  PutAt(bytes, 0x180, ToneHeader(120));  // inside it
  const Rows rows = Scan(bytes);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0][1], "0x00000100");
  EXPECT_EQ(rows[1][1] + ' ' + rows[1][2], "0x00000180 0x000001FF");
  image::HandsetImage image;  // the size reader itself takes index 0
  image.Assign(bytes, "fw.bin");
  EXPECT_EQ(GetToneSize(image, 0), 308);
  EXPECT_FALSE(GetToneSize(image, -1));
}

TEST(ToneScanner, AMagicWhoseLengthFieldLeavesTheImageEndsTheScanKeepingTheRows) {
  std::vector<std::uint8_t> bytes(0x200, 0);
  PutAt(bytes, 0x20, ToneHeader(150));
  // The last place where the length field still fits is examined normally.
  PutAt(bytes, 0x1F8, ToneHeader(120));
  EXPECT_EQ(Scan(bytes).size(), 2u);
  bytes.resize(0x1FD);  // now its length field lies partly outside
  const Rows rows = Scan(bytes);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0][1], "0x00000020");
  EXPECT_TRUE(Scan(std::vector<std::uint8_t>(64, 0x4D)).empty());  // "MMMM...": no magic at all
}

TEST(ToneScanner, StartsAtTheBeginningReportsEachSearchAndStopsWhenAsked) {
  std::vector<std::uint8_t> bytes(0x300, 0);
  for (std::size_t at : {0x10u, 0x100u, 0x200u}) PutAt(bytes, at, ToneHeader(150));
  image::HandsetImage image;
  image.Assign(bytes, "fw.bin");
  image.SetSearchStart(0x100);  // as a string search that stopped at a hit leaves it
  ToneList list;
  std::vector<std::int64_t> seen;
  ASSERT_TRUE(ScanTones(image, list, [&](std::int64_t v) { return seen.push_back(v), true; }).ok);
  // Three hits, then the miss that began one byte after the last hit.
  EXPECT_EQ(seen, (std::vector<std::int64_t>{0x10, 0x100, 0x200, 0x201}));
  EXPECT_EQ(list.RowCount(), 3);

  const Outcome stopped = ScanTones(image, list, [](std::int64_t v) { return v < 0x100; });
  EXPECT_EQ(std::tuple(stopped.ok, stopped.message, list.RowCount(), image.SearchStart()),
            std::tuple(false, msg::kNone, 2, 0));

  image::HandsetImage none;  // no image: message 3 and the list kept
  EXPECT_EQ(ScanTones(none, list).message, msg::kOpenHandsetFirst);
  EXPECT_EQ(list.RowCount(), 2);
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
  // With rows but no image the address entries disappear rather than sit there disabled.
  auto menu = [&list](bool loaded) {
    const ToneMenuState m = list.MenuState(loaded);
    return std::tuple(m.addTonesEnabled, m.exportEnabled, m.offsetMenuVisible, m.offsetMenuEnabled);
  };
  EXPECT_EQ(menu(true), std::tuple(true, true, true, true));
  EXPECT_EQ(menu(false), std::tuple(true, false, false, false));
  list.Clear();
  EXPECT_FALSE(list.FindByNumber("001"));
  EXPECT_EQ(menu(true), std::tuple(false, false, true, false));
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

TEST(ToneTable, WritesTheFixedLineFormatWithNotesInTheAnsiCodePage) {
  TempDir dir;
  const Outcome out = SaveToneTable(ListWithNotes({"Klingel", "", "铃"}), dir.Path("t.txt"));
  EXPECT_EQ(std::tuple(out.message, out.written), std::tuple(msg::kToneTableWritten, std::vector{dir.Path("t.txt")}));
  EXPECT_EQ(ReadText(dir.Path("t.txt")),
            " 001 : 0x00120000 - 0x00121441  Byte: 5186 \tKlingel\r\n"
            " 002 : 0x00122000 - 0x00123441  Byte: 5186 \t\r\n"
            " 003 : 0x00124000 - 0x00125441  Byte: 5186 \t\xC1\xE5\r\n");  // GBK
}

TEST(ToneTable, RoundTripsNotesWithBlanksEmptyNotesAndOtherScripts) {
  // "🎵" has no place in the ANSI code page: that file goes out as UTF-8.
  for (const auto& notes : {std::vector<std::string>{"Klingel laut", "", " vorn", "铃声 三", std::string(70, 'x')},
                            std::vector<std::string>{"mit 🎵", "x"}}) {
    const ToneList list = ListWithNotes(notes);
    TempDir dir;
    ASSERT_TRUE(SaveToneTable(list, dir.Path("t.txt")).ok);
    ToneList back;
    back.Add(MakeToneEntry(9, 0, 200));  // replaced, not appended to
    ASSERT_TRUE(OpenToneTable(dir.Path("t.txt"), back).ok);
    EXPECT_EQ(back.Rows(), list.Rows());
  }
}

TEST(ToneTable, SkipsBlankLinesAndStopsAtABadLineKeepingTheRowsBefore) {
  TempDir dir;
  WriteText(dir.Path("t.txt"),
            " 001 : 0x00000010 - 0x000000D3  Byte: 196 \tA\r\n\r\n\n"
            " 002 :  0x00000200 - 0x000002C3  Byte: 196\t \t B \r\n"
            "kaputt\r\n"
            " 004 : 0x00000400 - 0x000004C3  Byte: 196 \tD\r\n");
  ToneList list;
  const Outcome out = OpenToneTable(dir.Path("t.txt"), list);
  EXPECT_EQ(std::tuple(out.ok, out.message), std::tuple(false, msg::kToneTableBad));
  ASSERT_EQ(list.RowCount(), 2);
  EXPECT_EQ(list.Row(0).note, "A");
  // Fields are found by position: the doubled blank shifts the second line
  // one word to the right, as the stored format defines it.
  EXPECT_EQ(list.Row(1), (ToneEntry{"002", "", "-", "Byte:", "196  B"}));
}

TEST(ToneTable, EmptyListsAndUnreadableFilesChangeNothing) {
  TempDir dir;
  WriteText(dir.Path("old.txt"), "old content");
  EXPECT_EQ(SaveToneTable(ToneList{}, dir.Path("old.txt")).message, msg::kToneTableEmpty);
  EXPECT_EQ(ReadText(dir.Path("old.txt")), "old content");

  ToneList one = ListWithNotes({"n"});
  EXPECT_EQ(OpenToneTable(dir.Path("missing.txt"), one).message, msg::kFileError);
  EXPECT_EQ(one.RowCount(), 1);
  EXPECT_EQ(SaveToneTable(one, dir.Path("no/such/folder.txt")).message, msg::kFileError);
}

}  // namespace
}  // namespace korvana::tones
