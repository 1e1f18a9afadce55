#pragma once
// The tone file browser's list: the "*.mmf" files of one folder with their
// sizes, the files a user pairs with built-in tones.

#include <string>
#include <string_view>
#include <vector>

#include "app/text_list.h"

namespace korvana::tones {

enum ToneFileColumn : int { kFileName = 0, kFileSize = 1 };

struct ToneFile {
  std::string name;      // without its folder
  std::string sizeText;  // bytes, at least six digits ("004711")
  std::string path;      // the full path the file was listed from
};

// The names of the "*.mmf" files in folder (the extension in any case),
// sorted by name without regard to case, as the file list box shows them.
// Empty when the folder cannot be read.
[[nodiscard]] std::vector<std::string> MmfFileNames(std::string_view folder);

// The size column's text: at least six digits, so that text order is size
// order for files under a million bytes.
[[nodiscard]] std::string FileSizeText(std::int64_t size);

class ToneFileList : public app::TextList {
 public:
  [[nodiscard]] int RowCount() const override { return static_cast<int>(m_rows.size()); }
  [[nodiscard]] std::vector<std::string> RowTexts(int row) const override {
    const ToneFile& f = Row(row);
    return {f.name, f.sizeText};
  }
  [[nodiscard]] const ToneFile& Row(int row) const { return m_rows.at(static_cast<std::size_t>(row)); }
  [[nodiscard]] const std::string& Folder() const { return m_folder; }

  // Lists the "*.mmf" files of folder anew. A file that cannot be measured
  // is left out; an unreadable folder gives an empty list.
  void ReadFolder(std::string_view folder);

  // A click on the header of column: that column becomes the sort column,
  // the order flips between ascending and descending (the first click gives
  // descending) and the rows are sorted by text, without regard to case.
  // Returns where each row came from (unchanged rows for another column).
  app::RowOrder HeaderClicked(int column);
  [[nodiscard]] bool SortedDescending() const { return m_descending; }

 private:
  app::RowOrder Sort();

  std::string m_folder;
  std::vector<ToneFile> m_rows;
  int m_sortColumn = kFileName;
  bool m_descending = false;
};

}  // namespace korvana::tones
