#include "ui/picture_offset_window.h"

#include <QLineEdit>

#include "app/shared_texts.h"
#include "image/path.h"
#include "tools/address_change.h"
#include "tools/place_search.h"
#include "ui/main_window.h"
#include "ui/platform.h"

namespace korvana::ui {

PictureOffsetWindow::PictureOffsetWindow(MainWindow& main, const std::string& startColumn,
                                         const std::string& dimensionsColumn)
    : PlaceToolWindow(main, "Form6", "Bild-Offset     ", kPictureListName, PictureListHeaders()) {
  Text1 = AddField("Text1", "Bildursprungsadresse  ", "0x", nullptr);
  Text3 = AddField("Text3", "Bildgröße ", nullptr, nullptr);
  Text2 = AddField("Text2", "Bildzieladresse       ", "0x", nullptr);
  Text4 = AddField("Text4", "Bildgröße ", nullptr, nullptr);
  FinishLayout();
  Text1->setText(ToQ(AddressDigitsOf(startColumn)));
  Text3->setText(ToQ(dimensionsColumn));
  Text4->setText(ToQ(dimensionsColumn));
}

Outcome PictureOffsetWindow::RunSearch(tools::PlaceList& places, const ProgressFn& progress) {
  return tools::FindPictureRecordPlaces(m_main.Image(), FromQ(Text1->text()), FromQ(Text3->text()), places,
                                        progress);
}

void PictureOffsetWindow::Modify_Click() {
  RunCommand(this, [this] {
    const std::string address = FromQ(Text2->text());
    if (address.empty()) {
      Platform::Current().ShowMessage(this, msg::kEnterOffset);
      return;
    }
    if (Text4->text().isEmpty()) return;
    const std::optional<Address> record = m_places.FirstTickedPlace();
    if (!record) {
      Platform::Current().ShowMessage(this, msg::kSelectRows);
      return;
    }
    const QString out = Platform::Current().SaveFileName(this, ToQ(m_main.Folders().S3SavePath), app::kS3Filter);
    if (out.isEmpty()) return;
    m_main.Folders().S3SavePath = image::FolderOf(FromQ(out));
    m_main.ShowOutcome(tools::WritePictureOffsetPatch(*record, address, FromQ(out)), this);
  });
}

}  // namespace korvana::ui
