#include "ui/address_change_window.h"

#include <QLineEdit>

#include "tools/address_change.h"
#include "tools/place_search.h"
#include "ui/main_window.h"
#include "ui/platform.h"

namespace korvana::ui {

AddressChangeWindow::AddressChangeWindow(MainWindow& main, const std::string& startColumn)
    : PlaceToolWindow(main, "Form4", "Adressänderung  ", kToneListName, ToneListHeaders()) {
  m_oldAddress = AddField("Text1", "Ursprungsadresse      ", "0x", nullptr);
  m_newAddress = AddField("Text2", "Zieladresse           ", "0x", nullptr);
  FinishLayout();
  m_oldAddress->setText(ToQ(AddressDigitsOf(startColumn)));
}

Outcome AddressChangeWindow::RunSearch(tools::PlaceList& places, const ProgressFn& progress) {
  return tools::FindAddressPlaces(m_main.Image(), FromQ(m_oldAddress->text()), places, progress);
}

void AddressChangeWindow::OnModifyClicked() {
  RunCommand(this, [this] {
    m_main.ShowOutcome(tools::ChangeAddress(m_main.Image(), m_places, FromQ(m_newAddress->text())), this);
  });
}

}  // namespace korvana::ui
