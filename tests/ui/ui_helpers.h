#pragma once
// What the editor tests share: named widgets, the messages the user saw,
// list rows and selections, context menus, and a window with an image loaded.

#include <QAction>
#include <QCoreApplication>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QTreeWidget>
#include <QUrl>

#include <filesystem>

#include "fake_platform.h"
#include "support/test_support.h"
#include "ui/main_window.h"

namespace korvana::ui::test {

inline QString Q(const std::string& s) { return QString::fromStdString(s); }

template <typename T>
T* Find(const QObject* parent, const char* name) {
  T* w = parent->findChild<T*>(QString::fromLatin1(name));
  if (w == nullptr) qFatal("no %s", name);
  return w;
}

inline bool Enabled(const QObject* parent, const char* action) { return Find<QAction>(parent, action)->isEnabled(); }

// The messages the user saw: number 0 shows nothing.
inline std::vector<int> Shown(const FakePlatform& platform) {
  std::vector<int> shown;
  for (int n : platform.messages) {
    if (n != 0) shown.push_back(n);
  }
  return shown;
}

inline QStringList RowTexts(QTreeWidget* view, int row) {
  QStringList texts;
  for (int c = 0; c < view->columnCount(); ++c) texts << view->topLevelItem(row)->text(c);
  return texts;
}

inline void SelectRows(QTreeWidget* view, std::initializer_list<int> rows) {
  view->clearSelection();
  for (int r : rows) view->topLevelItem(r)->setSelected(true);
  view->setCurrentItem(view->topLevelItem(*rows.begin()), 0, QItemSelectionModel::NoUpdate);
}

// Changes one byte of the loaded image as a command does, and shows it.
inline void Modify(MainWindow& form, std::uint8_t value, std::int64_t at = 1) {
  if (!form.Image().CopyIntoImage(std::vector<std::uint8_t>{value}, at, 1).ok) qFatal("cannot change the image");
  form.RefreshSaveButton();
}

inline bool SaveEnabled(MainWindow& form) { return form.ToolbarAction(QStringLiteral("Save"))->isEnabled(); }

// Drops the local file at path on the window, as a file manager does: false
// when the window does not take it.
inline bool Drop(MainWindow& form, const QString& path) {
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(path)});
  QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&form, &enter);
  if (!enter.isAccepted()) return false;
  QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&form, &drop);
  QCoreApplication::processEvents();  // the file opens once the drop has ended
  return true;
}

// Opens a view's context menu as a right click does and closes it again.
inline void ShowMenu(const QObject* form, const char* view, const char* menu) {
  emit Find<QWidget>(form, view)->customContextMenuRequested(QPoint(2, 2));
  Find<QMenu>(form, menu)->close();
}

// A main window over a scratch folder (its program folder "prog"), with
// the firmware bytes loaded when given.
struct Editor {
  korvana::test::TempDir dir;
  FakePlatform platform;
  MainWindow form{(std::filesystem::create_directories(dir.Path("prog")), dir.Path("prog"))};
  explicit Editor(const std::vector<std::uint8_t>& firmware = {}) {
    if (firmware.empty()) return;
    korvana::test::WriteBytes(dir.Path("fw.bin"), firmware);
    if (!form.OpenHandsetFile(Q(dir.Path("fw.bin")))) qFatal("cannot open the image");
  }
  std::string Path(const std::string& name = {}) const { return dir.Path(name); }
  // Closes the open tool window: true when it is gone and the main window usable again.
  bool CloseToolWindow() {
    QWidget* window = form.ToolWindow();
    if (window == nullptr || !window->close()) return false;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return form.ToolWindow() == nullptr && form.isEnabled();
  }
};

}  // namespace korvana::ui::test
