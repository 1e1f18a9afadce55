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
  Text1 = AddField("Text1", "Adressber.alt", "0x", nullptr);
  Text3 = AddField("Text3", "Größe Byte", nullptr, "DEC");
  Text2 = AddField("Text2", "Adressber.neu", "0x", nullptr);
  Text4 = AddField("Text4", "Größe Byte", nullptr, "DEC");
  FinishLayout();
  Text1->setText(ToQ(AddressDigitsOf(startColumn)));
  Text3->setText(ToQ(sizeColumn));
}

Outcome OffsetChangeWindow::RunSearch(tools::PlaceList& places, const ProgressFn& progress) {
  return tools::FindAddressPlaces(m_main.Image(), FromQ(Text1->text()), places, progress);
}

void OffsetChangeWindow::Modify_Click() {
  RunCommand(this, [this] {
    const std::string address = FromQ(Text2->text());
    const std::string size = FromQ(Text4->text());
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
