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
  m_oldAddress = AddField("Text1", "Bildursprungsadresse  ", "0x", nullptr);
  m_oldDimensions = AddField("Text3", "Bildgröße ", nullptr, nullptr);
  m_newAddress = AddField("Text2", "Bildzieladresse       ", "0x", nullptr);
  m_newDimensions = AddField("Text4", "Bildgröße ", nullptr, nullptr);
  FinishLayout();
  m_oldAddress->setText(ToQ(AddressDigitsOf(startColumn)));
  m_oldDimensions->setText(ToQ(dimensionsColumn));
  m_newDimensions->setText(ToQ(dimensionsColumn));
}

Outcome PictureOffsetWindow::RunSearch(tools::PlaceList& places, const ProgressFn& progress) {
  return tools::FindPictureRecordPlaces(m_main.Image(), FromQ(m_oldAddress->text()), FromQ(m_oldDimensions->text()),
                                        places, progress);
}

void PictureOffsetWindow::OnModifyClicked() {
  RunCommand(this, [this] {
    const std::string address = FromQ(m_newAddress->text());
    if (address.empty()) {
      Platform::Current().ShowMessage(this, msg::kEnterOffset);
      return;
    }
    if (m_newDimensions->text().isEmpty()) return;
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
