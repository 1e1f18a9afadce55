#pragma once
// The tone replacement list: SMAF files on disk paired row by row with
// built-in tones. Files and tones are added independently and fill the first
// free places from the top, so they pair up in the order they are added.
// Only rows that hold both, and are ticked, are carried out by the patch
// commands.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/text_list.h"
#include "tones/tone_file_list.h"
#include "tones/tone_list.h"

namespace korvana::tones {

enum ReplacementColumn : int { kReplacementNumber = 0, kReplacementFile = 1, kReplacementTone = 2 };

struct ReplacementRow {
  std::string number;    // the row's position, "001"
  std::string filePart;  // "ring.mmf 004711 字节", empty without a file
  std::string tonePart;  // "003 0x001A2B00 - 0x001A3F41 5186 note", empty without a tone
  // Where the file part's file was added from. The row text names the file
  // only; the patch reads the file from here, whatever folder the browser
  // shows by then.
  std::string filePath;
  bool ticked = false;

  [[nodiscard]] bool Complete() const { return !filePart.empty() && !tonePart.empty(); }
};

// The file part of a row: name, blank, size text, " 字节".
[[nodiscard]] std::string FilePartOf(std::string_view name, std::string_view sizeText);
// The tone part of a row: number, start, " - ", stop, size and note, by blanks.
[[nodiscard]] std::string TonePartOf(const ToneEntry& tone);

// The size text of a file part with the blank that follows it ("004711 ");
// "0" when the part has no blank before its last three characters.
[[nodiscard]] std::string SizeTextOf(std::string_view filePart);
// The file name of a file part, blanks in it included; "0" as above.
[[nodiscard]] std::string NameTextOf(std::string_view filePart);

// The tone part read back: words 1, 3 and 4 when split at single blanks.
struct TonePartFields {
  std::string startText;
  std::string stopText;
  std::string sizeText;
};
[[nodiscard]] std::optional<TonePartFields> ParseTonePart(std::string_view tonePart);

// Which entries of the replacement list's context menu are enabled.
struct ReplacementMenuState {
  bool selectAll = false;         // "Alles!!"
  bool removeRow = false;         // "Lösche Ausw."
  bool removeAll = false;         // "Lösche alle"
  bool removeFile = false;        // "Lösche mmf"
  bool removeAllFiles = false;    // "Lösche alle mmf"
  bool removeTone = false;        // "Lösche Adr"
  bool removeAllTones = false;    // "Lösche alles"
  bool patch = false;             // "Export s3", "-> bin!!"
};

class ReplacementList : public app::TextList {
 public:
  [[nodiscard]] int RowCount() const override { return static_cast<int>(m_rows.size()); }
  [[nodiscard]] std::vector<std::string> RowTexts(int row) const override;
  [[nodiscard]] bool HasTicks() const override { return true; }
  [[nodiscard]] bool Ticked(int row) const override { return Row(row).ticked; }
  // A tick is refused (and taken off) on a row that lacks its file or its
  // tone; taking a tick off always works.
  bool SetTicked(int row, bool ticked) override;

  [[nodiscard]] const ReplacementRow& Row(int row) const { return m_rows.at(static_cast<std::size_t>(row)); }
  [[nodiscard]] const std::vector<ReplacementRow>& Rows() const { return m_rows; }

  // The first row whose file (column 1) or tone (column 2) part is empty;
  // when there is none, a new row numbered after the row count is appended.
  int FindFreeRow(int column);

  // "Zur Liste hinzu" of the file list: the given rows of files, in order,
  // into the first free file places; then sorted and renumbered. Returns
  // where each row came from (rows appended meanwhile count as they stood
  // before the sort).
  app::RowOrder AddFiles(const ToneFileList& files, const std::vector<int>& fileRows);
  // One file by its name, size text and full path (the command line's way).
  void AddFile(std::string_view name, std::string_view sizeText, std::string path);
  // "Zur Liste hinzu" of the tone list: the given tones, likewise.
  app::RowOrder AddTones(const ToneList& tones, const std::vector<int>& toneRows);

  // Stable sort by the tone part's text: rows without a tone come first,
  // tones follow in the order of their number texts. Returns where each row
  // came from.
  app::RowOrder SortReplacementList();
  // Row k gets the number k again ("001", "002", ...).
  void RenumberReplacementList();

  // The removal commands. selected is the selected row, if any; a command
  // that needs it does nothing without one.
  void RemoveSelected(std::optional<int> selected);  // "Lösche Ausw."
  void RemoveAll();                                  // "Lösche alle"
  void RemoveFile(std::optional<int> selected);      // "Lösche mmf"
  void RemoveAllFiles();                             // "Lösche alle mmf"
  void RemoveTone(std::optional<int> selected);      // "Lösche Adr"
  void RemoveAllTones();                             // "Lösche alles"
  void TickAll();                                    // "Alles!!", complete or not

  // Ticked rows holding both a file and a tone, in list order: the rows the
  // patch commands carry out.
  [[nodiscard]] std::vector<int> PatchRows() const;
  [[nodiscard]] ReplacementMenuState MenuState(std::optional<int> selected) const;

 private:
  [[nodiscard]] bool Valid(std::optional<int> row) const { return row && *row >= 0 && *row < RowCount(); }
  void ClearFile(ReplacementRow& row);
  void ClearTone(ReplacementRow& row);

  std::vector<ReplacementRow> m_rows;
};

}  // namespace korvana::tones
