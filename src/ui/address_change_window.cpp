#include "ui/address_change_window.h"

#include <QLineEdit>

#include "tools/address_change.h"
#include "tools/place_search.h"
#include "ui/main_window.h"
#include "ui/platform.h"

namespace korvana::ui {

AddressChangeWindow::AddressChangeWindow(MainWindow& main, const std::string& startColumn)
    : PlaceToolWindow(main, "Form4", "Adressänderung  ", kToneListName, ToneListHeaders()) {
  Text1 = AddField("Text1", "Ursprungsadresse      ", "0x", nullptr);
  Text2 = AddField("Text2", "Zieladresse           ", "0x", nullptr);
  FinishLayout();
  Text1->setText(ToQ(AddressDigitsOf(startColumn)));
}

Outcome AddressChangeWindow::RunSearch(tools::PlaceList& places, const ProgressFn& progress) {
  return tools::FindAddressPlaces(m_main.Image(), FromQ(Text1->text()), places, progress);
}

void AddressChangeWindow::Modify_Click() {
  RunCommand(this, [this] {
    m_main.ShowOutcome(tools::ChangeAddress(m_main.Image(), m_places, FromQ(Text2->text())), this);
  });
}

}  // namespace korvana::ui
