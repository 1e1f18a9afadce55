#include "tones/tone_table.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace korvana::tones {
namespace {

using test::ReadText;
using test::TempDir;
using test::WriteText;

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
