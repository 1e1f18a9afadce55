// korvana-screenshots DEMO_DIR OUT_DIR: drives the real windows through the
// tour of the README on the demonstration firmware (as a user would: buttons,
// list rows, menu entries) and saves each window as a PNG in OUT_DIR. The
// file dialogs are answered from a queue, so the run needs no one at the
// keyboard. scripts/screenshots.sh builds and runs it under Xvfb.

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>
#include <QTranslator>
#include <QToolBar>
#include <QTreeView>
#include <QTreeWidget>

#include <algorithm>
#include <cstdio>
#include <deque>
#include <functional>

#include "app/program_folder.h"
#include "ui/main_window.h"
#include "ui/picture_editor_window.h"
#include "ui/picture_preview_window.h"
#include "ui/platform.h"

namespace {

using korvana::ui::MainWindow;

// Shows nothing; file dialogs take the next queued path, questions get Yes.
class ScriptedPlatform : public korvana::ui::Platform {
 public:
  ScriptedPlatform() { Install(this); }
  ~ScriptedPlatform() override { Install(nullptr); }
  void ShowMessage(QWidget*, int n) override {
    if (n != 0) std::fprintf(stderr, "message %d\n", n);
  }
  void ShowError(QWidget*, const QString& text) override { std::fprintf(stderr, "%s\n", qPrintable(text)); }
  // Yes, or, once showQuestion is set, the real box: onQuestion sees it on
  // the screen and closes it.
  korvana::app::Answer Ask(QWidget* parent, std::string_view text, std::string_view title) override {
    if (!showQuestion) return korvana::app::Answer::kYes;
    showQuestion = false;
    QTimer::singleShot(400, parent, [this] {
      if (QWidget* box = QApplication::activeModalWidget()) onQuestion(*box);
    });
    return Platform::Ask(parent, text, title);
  }
  QString OpenFileName(QWidget*, const QString&, std::string_view, int) override { return Next(); }
  QString SaveFileName(QWidget*, const QString&, std::string_view, int) override { return Next(); }
  QString BrowseForFolder(QWidget*) override { return Next(); }
  bool OpenWithAssociatedApp(const QString&) override { return true; }

  std::deque<QString> paths;
  bool showQuestion = false;
  std::function<void(QWidget&)> onQuestion;

 private:
  QString Next() {
    if (paths.empty()) return {};
    QString p = paths.front();
    paths.pop_front();
    return p;
  }
};

// Lets the window paint and timers run for ms milliseconds.
void Settle(int ms = 150) {
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 20);
}

template <typename T>
T* Find(const QObject& parent, const char* name) {
  T* child = parent.findChild<T*>(QString::fromLatin1(name));
  if (child == nullptr) qFatal("no widget %s", name);
  return child;
}

void SelectRow(QTreeWidget* view, int row) {
  view->clearSelection();
  view->topLevelItem(row)->setSelected(true);
  view->setCurrentItem(view->topLevelItem(row));
  view->scrollToItem(view->topLevelItem(row));
}

class Tour {
 public:
  Tour(QString demo, QString out, ScriptedPlatform& platform)
      : m_demo(std::move(demo)), m_out(std::move(out)), m_platform(platform) {}

  int Run() {
    MainWindow form(korvana::app::ProgramFolder(korvana::app::ExecutableFolder()));
    form.resize(1040, 720);
    form.show();
    Settle();
    if (!form.OpenHandsetFile(Demo("demo.bin"))) return Fail("cannot open the demo firmware");
    Tones(form);
    Strings(form);
    Pictures(form);
    Converter(form);
    AddressTools(form);
    Changes(form);
    Desktop(form);
    return m_failed ? 1 : 0;
  }

 private:
  QString Demo(const char* name) const { return QDir(m_demo).filePath(QString::fromUtf8(name)); }

  void Shot(QWidget& window, const char* name) {
    Settle();
    const QString path = QDir(m_out).filePath(QString::fromLatin1(name));
    if (!window.grab().save(path)) {
      Fail("cannot save a screenshot");
      return;
    }
    std::printf("%s\n", qPrintable(path));
  }

  int Fail(const char* what) {
    std::fprintf(stderr, "korvana-screenshots: %s\n", what);
    m_failed = true;
    return 1;
  }

  // Scan, the tone table with its notes, the folder of replacement tones
  // and one replacement row: tone 001 with the file of equal size.
  void Tones(MainWindow& form) {
    form.Tabs()->setCurrentIndex(0);
    Find<QAbstractButton>(form, "GetTone")->click();
    m_platform.paths.push_back(Demo("demo-toene.txt"));
    Find<QAbstractButton>(form, "OpenToneTable")->click();

    auto* tree = Find<QTreeView>(form, "ET1");
    auto* model = qobject_cast<QFileSystemModel*>(tree->model());
    const QModelIndex mmf = model->index(Demo("mmf"));
    tree->setCurrentIndex(mmf);
    Settle(400);
    tree->scrollTo(mmf.parent(), QAbstractItemView::PositionAtTop);
    auto* files = Find<QTreeWidget>(form, "ListView1");
    for (int i = 0; i < files->topLevelItemCount(); ++i) {
      if (files->topLevelItem(i)->text(0) == QStringLiteral("gleich.mmf")) SelectRow(files, i);
    }
    Find<QAction>(form, "addmmf")->trigger();
    SelectRow(Find<QTreeWidget>(form, "ListView4"), 0);
    Find<QAction>(form, "addaddress")->trigger();
    Shot(form, "toene.png");
  }

  void Strings(MainWindow& form) {
    form.Tabs()->setCurrentIndex(1);
    Find<QLineEdit>(form, "Text11")->setText(QStringLiteral("Welcome"));
    Find<QAbstractButton>(form, "SeachString")->click();
    Find<QLineEdit>(form, "Text7")->setText(QStringLiteral("Hallo"));
    Find<QAbstractButton>(form, "Add2List")->click();
    Shot(form, "zeichen.png");
  }

  // The picture table, the animation playing, and its preview window.
  void Pictures(MainWindow& form) {
    form.Tabs()->setCurrentIndex(2);
    m_platform.paths.push_back(Demo("demo-bilder.txt"));
    Find<QAbstractButton>(form, "OpenPicTable")->click();
    auto* list = Find<QTreeWidget>(form, "ListView5");
    SelectRow(list, 4);
    emit list->itemClicked(list->topLevelItem(4), 0);
    Shot(form, "bilder.png");

    SelectRow(list, 5);  // the animation: the preview shows its eight frames
    emit list->itemDoubleClicked(list->topLevelItem(5), 0);
    Settle(300);
    if (korvana::ui::PicturePreviewWindow* preview = form.PreviewWindow()) {
      Shot(*preview, "vorschau.png");
      preview->close();
    } else {
      Fail("the preview window did not open");
    }
    Settle();

    // The replacement editor on "Abendrot" with the picture drawn on its
    // side, turned clockwise.
    SelectRow(list, 2);
    emit list->itemClicked(list->topLevelItem(2), 0);
    emit list->itemDoubleClicked(list->topLevelItem(2), 0);
    Settle(300);
    korvana::ui::PicturePreviewWindow* preview = form.PreviewWindow();
    if (preview == nullptr) {
      Fail("the preview window did not open");
      return;
    }
    emit preview->FrameClicked(1);
    Settle(300);
    korvana::ui::PictureEditorWindow* editor = form.EditorWindow();
    if (editor == nullptr) {
      Fail("the replacement editor did not open");
      return;
    }
    m_platform.paths.push_back(Demo("bmp/Abendrot-Nacht-gedreht.bmp"));
    Find<QAction>(*Find<QToolBar>(*editor, "Toolbar1"), "Open")->trigger();
    Find<QAbstractButton>(*editor, "A1Command")->click();
    Shot(*editor, "ersetzen.png");
    editor->close();
    Settle();
    preview->close();
    Settle();
  }

  void Converter(MainWindow& form) {
    form.Tabs()->setCurrentIndex(3);
    // The pictures' range of the image as an S-record file.
    m_platform.paths.push_back(Demo("demo.bin"));
    Find<QAbstractButton>(form, "OpenBinFile")->click();
    Find<QAbstractButton>(form, "PartAddressOption")->click();
    Find<QLineEdit>(form, "Text18")->setText(QStringLiteral("00203A00"));
    Find<QLineEdit>(form, "Text17")->setText(QStringLiteral("0021FFFF"));
    m_platform.paths.push_back(QDir(m_out).filePath(QStringLiteral("bilder.s3")));
    Find<QAbstractButton>(form, "ComBinToS3")->click();
    Settle(300);
    QFile::remove(QDir(m_out).filePath(QStringLiteral("bilder.s3")));
    Shot(form, "s3datei.png");
  }

  // "Offset ändern" for tone 001: both stored copies of its address.
  void AddressTools(MainWindow& form) {
    form.Tabs()->setCurrentIndex(0);
    SelectRow(Find<QTreeWidget>(form, "ListView4"), 0);
    Find<QAction>(form, "S_series")->trigger();
    QWidget* tool = form.ToolWindow();
    if (tool == nullptr) {
      Fail("the offset window did not open");
      return;
    }
    Find<QAbstractButton>(*tool, "search")->click();
    Find<QLineEdit>(*tool, "Text2")->setText(QStringLiteral("00380000"));
    Find<QLineEdit>(*tool, "Text4")->setText(QStringLiteral("4188"));
    Shot(*tool, "offset.png");
    tool->close();
    Settle();
  }

  // After the tour: three changes written into the image (the tone and the
  // string of the tour, a new frame for "Ladekreis"), the last one undone;
  // the menu "Bearbeiten" opened, and the window "Änderungen".
  void Changes(MainWindow& form) {
    form.Tabs()->setCurrentIndex(0);
    Find<QTreeWidget>(form, "ListView3")->topLevelItem(0)->setCheckState(0, Qt::Checked);
    Find<QAction>(form, "outputaxf")->trigger();
    form.Tabs()->setCurrentIndex(1);
    Find<QTreeWidget>(form, "ListView2")->topLevelItem(0)->setCheckState(0, Qt::Checked);
    Find<QAction>(form, "outputStraxf")->trigger();
    ReplaceFrame(form, 5, 3, "bmp/Ladekreis-Gesicht.bmp");
    Find<QAction>(form, "menuundo")->trigger();
    form.Tabs()->setCurrentIndex(0);

    QMenu* edit = Find<QMenu>(form, "edit");
    form.activateWindow();
    form.menuBar()->setActiveAction(edit->menuAction());
    Settle(300);
    if (!edit->isVisible()) {
      Fail("the menu Bearbeiten did not open");
    } else {
      const QRect menu = edit->geometry();
      const QRect window = form.geometry();
      const QRect area(window.topLeft(), QSize(std::max(menu.right() - window.left() + 60, 560),
                                               menu.bottom() - window.top() + 40));
      ShotOfScreen(form, area, "bearbeiten.png");
    }
    edit->close();
    Settle();

    Find<QAction>(form, "menuchanges")->trigger();
    if (QWidget* changes = form.ChangeListWindow()) {
      Shot(*changes, "aenderungen.png");
      changes->close();
    } else {
      Fail("the window Änderungen did not open");
    }
    Settle();
  }

  // The window as the desktop shows it, title bar and all: the file and the
  // marker of its changes; the save question that "Fw bin laden" (Ctrl+O)
  // asks first; and, after "Speichern unter...", the menu "Lade" with the
  // two files of the tour among its recent files.
  void Desktop(MainWindow& form) {
    form.Tabs()->setCurrentIndex(0);
    form.activateWindow();
    Settle(300);
    ShotOfScreen(form, form.frameGeometry(), "fenster.png");

    m_platform.showQuestion = true;
    m_platform.onQuestion = [this](QWidget& box) {
      Settle(300);
      ShotOfScreen(box, box.frameGeometry(), "frage.png");
      if (auto* question = qobject_cast<QMessageBox*>(&box)) {
        question->button(QMessageBox::Cancel)->click();
      } else {
        box.close();
      }
    };
    Find<QAction>(form, "menuopen")->trigger();  // Cancel: the changed image stays
    if (m_platform.showQuestion) Fail("the save question did not come");
    Settle();

    m_platform.paths.push_back(Demo("demo-geaendert.bin"));
    Find<QAction>(form, "menusaveas")->trigger();
    QMenu* file = Find<QMenu>(form, "file");
    form.activateWindow();
    form.menuBar()->setActiveAction(file->menuAction());
    Settle(300);
    if (!file->isVisible()) {
      Fail("the menu Lade did not open");
    } else {
      const QRect menu = file->geometry();
      const QRect window = form.geometry();
      const QRect area(window.topLeft(), QSize(std::max(menu.right() - window.left() + 60, 560),
                                               menu.bottom() - window.top() + 40));
      ShotOfScreen(form, area, "lade.png");
    }
    file->close();
    Settle();
  }

  // Frame frame of the picture in row of the list, replaced with the demo's
  // BMP at bmp through the preview and the replacement editor.
  void ReplaceFrame(MainWindow& form, int row, int frame, const char* bmp) {
    form.Tabs()->setCurrentIndex(2);
    auto* list = Find<QTreeWidget>(form, "ListView5");
    SelectRow(list, row);
    emit list->itemClicked(list->topLevelItem(row), 0);
    emit list->itemDoubleClicked(list->topLevelItem(row), 0);
    Settle();
    korvana::ui::PicturePreviewWindow* preview = form.PreviewWindow();
    if (preview == nullptr) {
      Fail("the preview window did not open");
      return;
    }
    emit preview->FrameClicked(frame);
    Settle();
    if (korvana::ui::PictureEditorWindow* editor = form.EditorWindow()) {
      m_platform.paths.push_back(Demo(bmp));
      auto* toolbar = Find<QToolBar>(*editor, "Toolbar1");
      Find<QAction>(*toolbar, "Open")->trigger();
      Find<QAction>(*toolbar, "Save")->trigger();  // writes the frame and closes the editor
      Settle();
      if (form.EditorWindow() != nullptr) {
        Fail("the new frame was not written");
        form.EditorWindow()->close();
      }
    } else {
      Fail("the replacement editor did not open");
    }
    Settle();
    preview->close();
    Settle();
  }

  // The area (global coordinates) of the screen that window is on: a window
  // and the menu it opened, which is a window of its own.
  void ShotOfScreen(QWidget& window, const QRect& area, const char* name) {
    QScreen* screen = window.screen();
    const QString path = QDir(m_out).filePath(QString::fromLatin1(name));
    if (screen == nullptr || !screen->grabWindow(0, area.x(), area.y(), area.width(), area.height()).save(path)) {
      Fail("cannot save a screenshot");
      return;
    }
    std::printf("%s\n", qPrintable(path));
  }

  QString m_demo;
  QString m_out;
  ScriptedPlatform& m_platform;
  bool m_failed = false;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: korvana-screenshots DEMO_DIR OUT_DIR\n");
    return 2;
  }
  // Qt's own buttons in German, as the editor shows them.
  QTranslator qtTexts;
  if (korvana::ui::LoadQtTranslations(qtTexts)) QCoreApplication::installTranslator(&qtTexts);
  ScriptedPlatform platform;
  QDir().mkpath(QString::fromLocal8Bit(argv[2]));
  return Tour(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]), platform).Run();
}
