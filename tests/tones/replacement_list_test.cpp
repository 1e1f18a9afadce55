#include "tones/replacement_list.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace korvana::tones {
namespace {

using test::TempDir;
using test::WriteBytes;

ToneList FiveTones() {
  ToneList tones;
  for (int n = 1; n <= 5; ++n) tones.Add(MakeToneEntry(n, 0x1000 * n, 200 + n));
  return tones;
}

// A folder with the files f1.mmf .. fN.mmf of 100, 200, ... bytes.
ToneFileList Files(const TempDir& dir, int count) {
  for (int i = 1; i <= count; ++i) {
    WriteBytes(dir.Path("f" + std::to_string(i) + ".mmf"), std::vector<std::uint8_t>(static_cast<std::size_t>(100 * i)));
  }
  ToneFileList files;
  files.ReadFolder(dir.Path());
  return files;
}

std::vector<std::string> Column(const ReplacementList& list, int column) {
  std::vector<std::string> texts;
  for (int i = 0; i < list.RowCount(); ++i) texts.push_back(list.RowTexts(i)[static_cast<std::size_t>(column)]);
  return texts;
}

TEST(ReplacementList, FilesThenTonesPairInTheOrderAdded) {
  TempDir dir;
  const ToneFileList files = Files(dir, 3);
  const ToneList tones = FiveTones();
  ReplacementList list;
  list.AddFiles(files, {0, 1, 2});
  list.AddTones(tones, {1, 3});
  EXPECT_EQ(Column(list, 0), (std::vector<std::string>{"001", "002", "003"}));
  EXPECT_EQ(Column(list, 1), (std::vector<std::string>{"f3.mmf 000300 字节", "f1.mmf 000100 字节", "f2.mmf 000200 字节"}));
  EXPECT_EQ(Column(list, 2),
            (std::vector<std::string>{"", "002 0x00002000 - 0x000020C9 202 ", "004 0x00004000 - 0x000040CB 204 "}));
  // The full path rides along with the file part.
  EXPECT_EQ(list.Row(0).filePath, dir.Path("f3.mmf"));
}

TEST(ReplacementList, TonesThenAFilePairsTheFileWithTheLowerTone) {
  TempDir dir;
  ReplacementList list;
  list.AddTones(FiveTones(), {2, 4});
  list.AddFiles(Files(dir, 1), {0});
  ASSERT_EQ(list.RowCount(), 2);
  EXPECT_EQ(list.Row(0).tonePart.substr(0, 3), "003");
  EXPECT_EQ(list.Row(0).filePart, "f1.mmf 000100 字节");
  EXPECT_EQ(list.Row(1).filePart, "");
  EXPECT_EQ(list.FindFreeRow(kReplacementTone), 2);  // appended, numbered after the count
  EXPECT_EQ(list.Row(2).number, "003");
}

TEST(ReplacementList, TicksOnlyCompleteRowsExceptAllesAndLosingAPartUnticks) {
  TempDir dir;
  ReplacementList list;
  list.AddFiles(Files(dir, 2), {0, 1});
  list.AddTones(FiveTones(), {0});
  // Row 001: f2 alone; row 002: f1 with tone 001.
  EXPECT_FALSE(list.SetTicked(0, true));
  EXPECT_FALSE(list.Ticked(0));
  EXPECT_TRUE(list.SetTicked(1, true));
  EXPECT_EQ(list.PatchRows(), std::vector<int>{1});
  list.TickAll();
  EXPECT_TRUE(list.Ticked(0));
  EXPECT_EQ(list.PatchRows(), std::vector<int>{1});  // the file alone is still not carried out
  list.RemoveFile(1);  // keeps the row with its tone, drops the consent
  EXPECT_FALSE(list.Ticked(1));
  EXPECT_TRUE(list.SetTicked(1, false));
}

TEST(ReplacementList, RemovalCommandsKeepOrDropRowsAndRenumber) {
  TempDir dir;
  const ToneFileList files = Files(dir, 3);
  ReplacementList list;
  list.AddFiles(files, {0, 1, 2});
  list.AddTones(FiveTones(), {0});
  // 001 f2 alone, 002 f3 alone, 003 f1 + tone 001
  list.RemoveFile(0);  // no tone: the row goes
  EXPECT_EQ(Column(list, 0), (std::vector<std::string>{"001", "002"}));
  list.RemoveFile(1);  // paired: the tone stays
  EXPECT_EQ(list.Row(1).filePart, "");
  EXPECT_FALSE(list.Row(1).tonePart.empty());
  list.RemoveTone(1);  // no file left: the row goes
  EXPECT_EQ(list.RowCount(), 1);
  list.RemoveFile(std::nullopt);
  list.RemoveSelected(7);
  EXPECT_EQ(list.RowCount(), 1);

  list.AddTones(FiveTones(), {1, 2});
  list.RemoveAllFiles();
  list.RemoveAllTones();
  EXPECT_EQ(list.RowCount(), 2);  // rows stay even when both parts are empty
  EXPECT_EQ(Column(list, 1), (std::vector<std::string>{"", ""}));
  list.RemoveSelected(0);
  EXPECT_EQ(Column(list, 0), std::vector<std::string>{"001"});
  list.RemoveAll();
  EXPECT_EQ(list.RowCount(), 0);
}

TEST(ReplacementList, TonePartsParseBackAndSizesStayBounded) {
  const auto fields = ParseTonePart("003 0x001A2B00 - 0x001A3F41 5186 a note");
  ASSERT_TRUE(fields);
  EXPECT_EQ(fields->startText + fields->stopText + fields->sizeText, "0x001A2B000x001A3F415186");
  EXPECT_FALSE(ParseTonePart("003 0x001A2B00 -"));
  EXPECT_EQ(NameTextOf("ab 字节"), "0");  // the blank before the suffix does not count
  EXPECT_EQ(LeadingDecimal("99999999999999999999"), kDecimalLimit);
}

TEST(ToneFileList, ListsMmfFilesWithSixDigitSizesAndSortsByHeader) {
  TempDir dir;
  WriteBytes(dir.Path("b.mmf"), std::vector<std::uint8_t>(4711));
  WriteBytes(dir.Path("A.MMF"), std::vector<std::uint8_t>(1234567));
  WriteBytes(dir.Path("c.mmf"), std::vector<std::uint8_t>(9));
  WriteBytes(dir.Path("铃声.mmf"), std::vector<std::uint8_t>(5));  // other scripts after Latin
  WriteBytes(dir.Path("notes.txt"), {1});
  std::filesystem::create_directory(dir.Path("d.mmf"));  // a folder is no tone file
  ToneFileList files;
  files.ReadFolder(dir.Path());
  ASSERT_EQ(files.RowCount(), 4);
  EXPECT_EQ(files.Row(3).name, "铃声.mmf");
  EXPECT_EQ(files.RowTexts(0), (std::vector<std::string>{"A.MMF", "1234567"}));
  EXPECT_EQ(files.RowTexts(1), (std::vector<std::string>{"b.mmf", "004711"}));
  files.HeaderClicked(kFileSize);
  files.HeaderClicked(kFileSize);  // the second click sorts ascending, by text
  EXPECT_EQ(files.Row(0).name, "铃声.mmf");
  EXPECT_EQ(files.Row(1).name, "c.mmf");
  files.ReadFolder(dir.Path("missing"));
  EXPECT_EQ(files.RowCount(), 0);
}

}  // namespace
}  // namespace korvana::tones
