// The texts the program shows: its message table, the code page of the
// strings it writes, the status lines, and the rows of the list of changes.

#include <gtest/gtest.h>

#include "app/change_list.h"
#include "app/code_page.h"
#include "app/message_table.h"
#include "app/status_texts.h"
#include "image/handset_image.h"

namespace korvana::app {
namespace {

using Texts = std::vector<std::string>;

// Numbers outside the table and the gap at 35 show nothing; 14 and 15 are
// empty boxes, still shown. The entries at the ends of the table and beside
// the gap show that none slipped to another number; the texts themselves
// are data, not checked one by one.
TEST(MessageTable, NumbersOutsideTheTableAndTheGapShowNothing) {
  for (int n : {0, 35, 45, -1}) EXPECT_FALSE(MessageFor(n)) << n;
  EXPECT_EQ(MessageText(35), "");
  ASSERT_TRUE(MessageFor(14) && MessageFor(15) && MessageFor(1) && MessageFor(34) && MessageFor(36) && MessageFor(44));
  EXPECT_TRUE(MessageFor(14)->title.empty() && MessageFor(14)->text.empty());
  const std::pair<int, Texts> cases[] = {{1, {"错误", "空文件！"}},
                                         {34, {"错误", "不支持该色彩数!"}},
                                         {36, {"抱歉", "转换bmp文件失败!"}},
                                         {44, {"抱歉", "没有任何修改!"}}};
  for (const auto& [n, texts] : cases) {
    EXPECT_EQ((Texts{std::string(MessageFor(n)->title), std::string(MessageText(n))}), texts) << n;
  }
  EXPECT_EQ(MessageFor(2)->icon, MessageIcon::kCritical);
  EXPECT_EQ(MessageFor(44)->icon, MessageIcon::kInformation);
}

TEST(CodePage, GbkByDefaultBothWaysAndWhatItLacksIsRefusedOrMarked) {
  const auto gbk = Utf8ToAnsiStrict("中文 Menu");
  ASSERT_TRUE(gbk);
  EXPECT_EQ(*gbk, "\xD6\xD0\xCE\xC4 Menu");
  EXPECT_EQ(AnsiToUtf8(*gbk), "中文 Menu");
  EXPECT_FALSE(Utf8ToAnsiStrict("Grüße"));  // ü and ß are not in GBK
  EXPECT_EQ(Utf8ToAnsi("Größe"), "Gr??e");
  EXPECT_FALSE(Utf8ToAnsiStrict("\xFF"));  // not UTF-8 at all
  EXPECT_EQ(AnsiToUtf8("A\xFF" "B"), "A\xEF\xBF\xBD" "B");
}

TEST(StatusTexts, SayWhatCameOfTheCommandInGerman) {
  const Outcome ok = Outcome::Success();
  Outcome patch = Outcome::Success(msg::kS3Okay);
  patch.written = {"/p/tone.s3"}, patch.lines = 29;
  const std::pair<std::string, std::string> cases[] = {
      {ScanStatus(ok, 5), "5 Töne gefunden"}, {ScanStatus(ok, 1), "1 Ton gefunden"},
      {ScanStatus(ok, 0), "Keine Töne gefunden"}, {ScanStatus(Outcome::Failure(msg::kOpenHandsetFirst), 0), ""},
      {SearchStatus(ok, "3", "00183C96"), "Treffer 3 bei 0x00183C96"},
      {SearchStatus(Outcome::Failure(msg::kSearchFinished), "3", ""), "Keine weiteren Treffer"},
      {SearchStatus(Outcome::Failure(msg::kEnterSearchText), "", ""), ""},
      {TableLoadStatus(ok, "/t/demo-toene.txt", 12, CountedThing::kTone), "demo-toene.txt geladen: 12 Töne"},
      {TableLoadStatus(ok, "/t/bilder.txt", 1, CountedThing::kPicture), "bilder.txt geladen: 1 Bild"},
      {TableLoadStatus(Outcome::Failure(msg::kToneTableBad), "/t/x.txt", 3, CountedThing::kTone), ""},
      {PatchStatus(patch, 2, CountedThing::kTone), "tone.s3 geschrieben: 29 Zeilen"},
      {PatchStatus(Outcome::Success(msg::kFileModified), 3, CountedThing::kString), "3 Texte ins Bild geschrieben"},
      {PatchStatus(Outcome::Silent(), 3, CountedThing::kTone), ""},
      {NoProgramStatus("temp.mmf"), "Kein Programm zum Öffnen von temp.mmf gefunden"}};
  for (const auto& [got, want] : cases) EXPECT_EQ(got, want);
}

// The rows follow the journal when reloaded: every change of a step of two
// writes is a row, and an undone step's rows carry the mark.
TEST(ChangeList, ShowsEveryChangeWithItsColumnsAndMarksTheUndoneOnes) {
  image::HandsetImage image;
  image.Assign(std::vector<std::uint8_t>(0x100, 0), "fw.bin");
  const std::vector<std::uint8_t> bytes{1, 2, 3, 4};
  ASSERT_TRUE(image.CopyIntoImage(bytes, 0x10, 4, {"Ton 001"}).ok);
  {
    image::ChangeStep step(image);
    ASSERT_TRUE(image.CopyIntoImage(bytes, 0x40, 2, {"String", true}).ok);
    ASSERT_TRUE(image.CopyIntoImage(bytes, 0x80, 3, {"String", true}).ok);
  }
  ChangeList list;
  ASSERT_TRUE(image.Undo());
  list.Reload(image.Journal());
  ASSERT_EQ(list.RowCount(), 3);
  EXPECT_EQ(list.RowTexts(0), (Texts{"001", "Ton 001", "0x00000010", "0x00000013", "4", ""}));
  EXPECT_EQ(list.RowTexts(1), (Texts{"002", "String 0x00000040", "0x00000040", "0x00000041", "2", "✓"}));
  EXPECT_EQ(list.RowTexts(2), (Texts{"003", "String 0x00000080", "0x00000080", "0x00000082", "3", "✓"}));
  EXPECT_EQ(list.RowTexts(3), Texts{});
  EXPECT_EQ(list.RowTexts(-1), Texts{});
  image.Assign(std::vector<std::uint8_t>(0x100, 0), "other.bin");  // a new load forgets every change
  list.Reload(image.Journal());
  EXPECT_EQ(list.RowCount(), 0);
}

}  // namespace
}  // namespace korvana::app
