#pragma once
// The offset change "Offset ändern": finds where a tone's address is stored
// and writes an S-record patch of the tone entry there (new address and new
// size).

#include <string>

#include "ui/place_tool_window.h"

namespace korvana::ui {

class OffsetChangeWindow : public PlaceToolWindow {
  Q_OBJECT
 public:
  // startColumn and sizeColumn are the start address ("0x0000ABCD") and size
  // columns of the tone list's selected row; empty when none is selected.
  OffsetChangeWindow(MainWindow& main, const std::string& startColumn, const std::string& sizeColumn);

 protected:
  Outcome RunSearch(tools::PlaceList& places, const ProgressFn& progress) override;
  void OnModifyClicked() override;

 private:
  QLineEdit* m_oldSize = nullptr;
  QLineEdit* m_newSize = nullptr;
};

}  // namespace korvana::ui
