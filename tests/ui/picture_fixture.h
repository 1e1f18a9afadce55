#pragma once
// The tab "Bilder" of a window over a firmware of kFill bytes and the table
// of its three pictures:
//   001 Anim: 7 frames of 4 x 3 at depth 16 from 0x20 (24 bytes each);
//   002 Mono: 8 x 8 at depth 1 at 0x100;
//   003 Pack: 4 x 3 compressed at 0x200, 16 bytes.

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include "ui/picture_editor_window.h"
#include "ui/picture_preview_window.h"
#include "ui_helpers.h"

namespace korvana::ui::test {

inline constexpr std::uint8_t kFill = 0x5A;

struct PicturesTab : Editor {
  std::string table = Path("table.txt");

  PicturesTab() : Editor(std::vector<std::uint8_t>(0x400, kFill)) {
    korvana::test::WriteText(table,
                             "001 Anim\t 0X00000020\t Zahl: 7\t Size: 24\t Dims: 4*3\t Farb: 16\t\r\n"
                             "002 Mono\t 0X00000100\t Zahl: 1\t Size: 8\t Dims: 8*8\t Farb: 1\t\r\n"
                             "003 Pack\t 0X00000200\t Zahl: 1\t Size: 16\t Dims: 4*3\t Farb: 16*\t\r\n");
    form.show();
    form.Tabs()->setCurrentIndex(2);
  }

  template <typename T>
  T* Get(const char* name) {
    return Find<T>(&form, name);
  }
  QTreeWidget* List() { return Get<QTreeWidget>("ListView5"); }
  void OpenTable(const std::string& path) {
    platform.paths.push_back(Q(path));
    Get<QPushButton>("OpenPicTable")->click();
  }
  QPoint RowCentre(int row) { return List()->visualItemRect(List()->topLevelItem(row)).center(); }
  void ClickRow(int row) { QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, RowCentre(row)); }
  QString Text(const char* name) { return Get<QLineEdit>(name)->text(); }
  bool Enabled(const char* name) { return Get<QPushButton>(name)->isEnabled(); }
  void Tick() { QMetaObject::invokeMethod(Get<QTimer>("Timer2"), "timeout"); }
  // Opens the table, the preview of row and, with a click on a frame box, the editor.
  PictureEditorWindow* OpenEditor(int row, int frame) {
    OpenTable(table);
    ClickRow(row);
    QTest::mouseDClick(List()->viewport(), Qt::LeftButton, {}, RowCentre(row));
    if (form.PreviewWindow() == nullptr) return nullptr;
    QTest::mouseClick(form.PreviewWindow()->Box(frame), Qt::LeftButton);
    return form.EditorWindow();
  }
  std::vector<std::uint8_t> ImageRange(std::int64_t from, std::int64_t count) {
    const auto bytes = form.Image().Bytes();
    return {bytes.begin() + from, bytes.begin() + from + count};
  }
  // Lets closed windows go.
  static void Settle() {
    QTest::qWait(0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
};

}  // namespace korvana::ui::test
