#include "tones/replacement_list.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace korvana::tones {
namespace {

using test::TempDir, test::WriteBytes;
using Texts = std::vector<std::string>;

ToneList FiveTones() {
  ToneList tones;
  for (int n = 1; n <= 5; ++n) tones.Add(MakeToneEntry(n, 0x1000 * n, 200 + n));
  return tones;
}

// A folder with the files f1.mmf .. fN.mmf of 100, 200, ... bytes.
ToneFileList Files(const TempDir& dir, int count) {
  for (int i = 1; i <= count; ++i)
    WriteBytes(dir.Path("f" + std::to_string(i) + ".mmf"), std::vector<std::uint8_t>(100u * i));
  ToneFileList files;
  files.ReadFolder(dir.Path());
  return files;
}

Texts Column(const ReplacementList& list, int column) {
  Texts texts;
  for (int i = 0; i < list.RowCount(); ++i) texts.push_back(list.RowTexts(i)[static_cast<std::size_t>(column)]);
  return texts;
}

TEST(ReplacementList, FilesAndTonesPairInTheOrderAdded) {
  TempDir dir;
  ReplacementList list;
  list.AddFiles(Files(dir, 3), {0, 1, 2, 3});
  list.AddTones(FiveTones(), {1, 3, -1, 5});
  EXPECT_EQ(Column(list, 0), (Texts{"001", "002", "003"}));
  EXPECT_EQ(Column(list, 1), (Texts{"f3.mmf 000300 字节", "f1.mmf 000100 字节", "f2.mmf 000200 字节"}));
  EXPECT_EQ(Column(list, 2), (Texts{"", "002 0x00002000 - 0x000020C9 202 ", "004 0x00004000 - 0x000040CB 204 "}));
  EXPECT_EQ(list.Row(0).filePath, dir.Path("f3.mmf"));  // the full path rides along with the file part

  TempDir one;
  ReplacementList tonesFirst;  // the file pairs with the lower tone
  tonesFirst.AddTones(FiveTones(), {2, 4});
  tonesFirst.AddFiles(Files(one, 1), {0});
  EXPECT_EQ(Column(tonesFirst, 1), (Texts{"f1.mmf 000100 字节", ""}));
  EXPECT_EQ(tonesFirst.Row(0).tonePart.substr(0, 3), "003");
  EXPECT_EQ(tonesFirst.FindFreeRow(kReplacementTone), 2);  // appended, numbered after the count
  EXPECT_EQ(tonesFirst.Row(2).number, "003");
}

TEST(ReplacementList, TicksOnlyCompleteRowsExceptAllesAndLosingAPartUnticks) {
  TempDir dir;
  ReplacementList list;
  list.AddFiles(Files(dir, 2), {0, 1});
  list.AddTones(FiveTones(), {0});
  // Row 001: f2 alone; row 002: f1 with tone 001.
  EXPECT_FALSE(list.SetTicked(0, true) || list.Ticked(0));
  EXPECT_FALSE(list.SetTicked(-1, true) || list.SetTicked(2, false));  // no such rows
  EXPECT_TRUE(list.SetTicked(0, false));                                // an incomplete row may be unticked
  EXPECT_TRUE(list.SetTicked(1, true));
  EXPECT_EQ(list.PatchRows(), std::vector<int>{1});
  list.TickAll();
  EXPECT_TRUE(list.Ticked(0));
  EXPECT_EQ(list.PatchRows(), std::vector<int>{1});  // the file alone is still not carried out
  list.RemoveFile(1);                                // keeps the row with its tone, drops the consent
  EXPECT_FALSE(list.Ticked(1));
}

TEST(ReplacementList, RemovalCommandsKeepOrDropRowsAndRenumber) {
  TempDir dir;
  ReplacementList list;
  list.AddFiles(Files(dir, 3), {0, 1, 2});
  list.AddTones(FiveTones(), {0});
  // 001 f2 alone, 002 f3 alone, 003 f1 + tone 001
  list.RemoveFile(0);  // no tone: the row goes
  EXPECT_EQ(Column(list, 0), (Texts{"001", "002"}));
  list.RemoveFile(1);  // paired: the tone stays
  EXPECT_EQ(std::tuple(list.Row(1).filePart, list.Row(1).tonePart.substr(0, 3)), std::tuple("", "001"));
  list.RemoveTone(1);  // no file left: the row goes
  EXPECT_EQ(list.RowCount(), 1);
  list.RemoveFile(std::nullopt);
  list.RemoveSelected(7);
  list.RemoveTone(-1);
  EXPECT_EQ(list.RowCount(), 1);

  list.AddTones(FiveTones(), {1, 2});
  list.RemoveTone(0);  // paired with f3: the file stays
  EXPECT_EQ(Column(list, 1)[0], "f3.mmf 000300 字节");
  list.RemoveAllFiles();
  list.RemoveAllTones();
  EXPECT_EQ(Column(list, 1), Column(list, 2));  // rows stay even when both parts are empty
  EXPECT_EQ(Column(list, 2), (Texts{"", ""}));
  list.RemoveSelected(0);
  EXPECT_EQ(Column(list, 0), Texts{"001"});
  list.RemoveAll();
  EXPECT_EQ(list.RowCount(), 0);
}

TEST(ReplacementList, TonePartsParseBackAndSizesStayBounded) {
  const auto fields = ParseTonePart("003 0x001A2B00 - 0x001A3F41 5186 a note");
  ASSERT_TRUE(fields);
  EXPECT_EQ(fields->startText + fields->stopText + fields->sizeText, "0x001A2B000x001A3F415186");
  EXPECT_FALSE(ParseTonePart("003 0x001A2B00 - 0x001A3F41"));
  EXPECT_EQ(std::tuple(SizeTextOf("a b.mmf 004711 字节"), NameTextOf("a b.mmf 004711 字节")),
            std::tuple("004711 ", "a b.mmf"));  // the size keeps the blank of the suffix
  EXPECT_EQ(std::tuple(SizeTextOf("ab 字节"), NameTextOf("ab 字节")),
            std::tuple("0", "0"));  // the blank before the suffix does not count
  EXPECT_EQ(LeadingDecimal(" 12x"), 12);
  EXPECT_EQ(LeadingDecimal("99999999999999999999"), kDecimalLimit);
}

TEST(ToneFileList, ListsMmfFilesWithSixDigitSizesAndSortsByHeader) {
  TempDir dir;
  for (const auto& [name, size] : std::vector<std::pair<std::string, std::size_t>>{
           {"b.mmf", 4711}, {"A.MMF", 1234567}, {"c.mmf", 9}, {"铃声.mmf", 5}, {"notes.txt", 1}, {".mmf", 1}}) {
    WriteBytes(dir.Path(name), std::vector<std::uint8_t>(size));
  }
  std::filesystem::create_directory(dir.Path("d.mmf"));  // a folder is no tone file
  ToneFileList files;
  files.ReadFolder(dir.Path());
  ASSERT_EQ(files.RowCount(), 4);
  EXPECT_EQ(files.Row(3).name, "铃声.mmf");  // other scripts after Latin
  EXPECT_EQ(files.RowTexts(0), (Texts{"A.MMF", "1234567"}));
  EXPECT_EQ(files.RowTexts(1), (Texts{"b.mmf", "004711"}));
  files.HeaderClicked(kFileName);
  EXPECT_EQ(files.Row(0).name, "铃声.mmf");  // the first click sorts descending
  files.HeaderClicked(kFileSize);            // the second click sorts ascending, by text
  EXPECT_EQ(std::tuple(files.Row(0).name, files.Row(1).name), std::tuple("铃声.mmf", "c.mmf"));
  files.ReadFolder(dir.Path("missing"));
  EXPECT_EQ(files.RowCount(), 0);
}

}  // namespace
}  // namespace korvana::tones
