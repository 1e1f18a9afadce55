#pragma once
// The address change "Adressänderung": finds where a tone's address is
// stored and writes a new address over the ticked place, in the image.

#include <string>

#include "ui/place_tool_window.h"

namespace korvana::ui {

class AddressChangeWindow : public PlaceToolWindow {
  Q_OBJECT
 public:
  // startColumn is the start address column of the tone list's selected row
  // ("0x0000ABCD"); empty when no row is selected.
  AddressChangeWindow(MainWindow& main, const std::string& startColumn);

 protected:
  Outcome RunSearch(tools::PlaceList& places, const ProgressFn& progress) override;
  void OnModifyClicked() override;
};

}  // namespace korvana::ui
