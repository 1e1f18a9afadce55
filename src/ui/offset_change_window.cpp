#include "ui/offset_change_window.h"

#include <QLineEdit>

#include "app/shared_texts.h"
#include "image/path.h"
#include "tools/address_change.h"
#include "tools/place_search.h"
#include "ui/main_window.h"
#include "ui/platform.h"

namespace korvana::ui {

OffsetChangeWindow::OffsetChangeWindow(MainWindow& main, const std::string& startColumn, const std::string& sizeColumn)
    : PlaceToolWindow(main, "Form5", "Offset ändern", kToneListName, ToneListHeaders()) {
  m_oldAddress = AddField("Text1", "Adressber.alt", "0x", nullptr);
  m_oldSize = AddField("Text3", "Größe Byte", nullptr, "DEC");
  m_newAddress = AddField("Text2", "Adressber.neu", "0x", nullptr);
  m_newSize = AddField("Text4", "Größe Byte", nullptr, "DEC");
  FinishLayout();
  m_oldAddress->setText(ToQ(AddressDigitsOf(startColumn)));
  m_oldSize->setText(ToQ(sizeColumn));
}

Outcome OffsetChangeWindow::RunSearch(tools::PlaceList& places, const ProgressFn& progress) {
  return tools::FindAddressPlaces(m_main.Image(), FromQ(m_oldAddress->text()), places, progress);
}

void OffsetChangeWindow::OnModifyClicked() {
  RunCommand(this, [this] {
    const std::string address = FromQ(m_newAddress->text());
    const std::string size = FromQ(m_newSize->text());
    const std::vector<int> missing = tools::MissingOffsetFields(address, size);
    for (int message : missing) Platform::Current().ShowMessage(this, message);
    if (!missing.empty()) return;
    const std::optional<Address> place = m_places.FirstTickedPlace();
    if (!place) {
      Platform::Current().ShowMessage(this, msg::kSelectRows);
      return;
    }
    const QString out = Platform::Current().SaveFileName(this, ToQ(m_main.Folders().S3SavePath), app::kS3Filter);
    if (out.isEmpty()) return;
    m_main.Folders().S3SavePath = image::FolderOf(FromQ(out));
    m_main.ShowOutcome(tools::WriteOffsetPatch(*place, address, size, FromQ(out)), this);
  });
}

}  // namespace korvana::ui
