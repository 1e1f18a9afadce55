#pragma once
// The picture offset change "Bild-Offset": finds the firmware's directory
// record of a picture by its width, height and address, and writes an
// S-record patch that puts a new address into the ticked record.

#include <string>

#include "ui/place_tool_window.h"

namespace korvana::ui {

class PictureOffsetWindow : public PlaceToolWindow {
  Q_OBJECT
 public:
  // startColumn and dimensionsColumn are the start address ("0X0000ABCD")
  // and dimensions ("128*160") columns of the picture list's selected row;
  // empty when none is selected.
  PictureOffsetWindow(MainWindow& main, const std::string& startColumn, const std::string& dimensionsColumn);

 protected:
  Outcome RunSearch(tools::PlaceList& places, const ProgressFn& progress) override;
  void OnModifyClicked() override;

 private:
  QLineEdit* m_oldDimensions = nullptr;
  QLineEdit* m_newDimensions = nullptr;
};

}  // namespace korvana::ui
