// The tab "Töne", its upper half: the tone scan, the tone list with its note
// editor and context menu, the tone table file and the tone export. The
// browser and the replacement list live in main_window_tone_files.cpp.

#include <QAction>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/shared_texts.h"
#include "app/status_texts.h"
#include "image/hex.h"
#include "image/path.h"
#include "tones/tone_export.h"
#include "tones/tone_scanner.h"
#include "tones/tone_table.h"
#include "ui/list_adapter.h"
#include "ui/main_window.h"
#include "ui/platform.h"
#include "ui/widget_helpers.h"
#include "ui/progress_loop.h"

namespace korvana::ui {

namespace {
// The note editor: a line edit that reports when the user leaves it. Focus that goes
// to another window or to a popup menu does not count as leaving.
class NoteEditor : public QLineEdit {
 public:
  NoteEditor(QWidget* parent, std::function<void()> onLeave) : QLineEdit(parent), m_onLeave(std::move(onLeave)) {}

 protected:
  void focusOutEvent(QFocusEvent* event) override {
    QLineEdit::focusOutEvent(event);
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason && isVisible()) {
      m_onLeave();
    }
  }
  void keyPressEvent(QKeyEvent* event) override {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
      // Back to the list (the viewport's owner); leaving stores the note.
      parentWidget()->parentWidget()->setFocus();
      return;
    }
    QLineEdit::keyPressEvent(event);
  }

 private:
  std::function<void()> m_onLeave;
};

QAction* NamedAction(QMenu* menu, const char* name, const char* caption) {
  QAction* a = menu->addAction(ToQ(caption));
  a->setObjectName(QString::fromLatin1(name));
  return a;
}

QAction* NamedSeparator(QMenu* menu, const char* name) {
  QAction* a = menu->addSeparator();
  a->setObjectName(QString::fromLatin1(name));
  return a;
}
}  // namespace

std::vector<QWidget*> MainWindow::CommandWidgets() { return {m_tabs, menuBar(), m_toolbar}; }

void MainWindow::BuildTonesTab(QWidget* page) {
  auto* split = new QSplitter(Qt::Vertical, page);
  split->setObjectName(QStringLiteral("TonesSplitter"));
  split->addWidget(BuildToneList(split));
  split->addWidget(BuildToneFileBrowser(split));
  split->addWidget(BuildReplacementList(split));
  split->setStretchFactor(0, 3);
  split->setStretchFactor(1, 2);
  split->setStretchFactor(2, 2);
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addWidget(split);
}

QWidget* MainWindow::BuildToneList(QWidget* parent) {
  auto* box = new QWidget(parent);
  auto* buttons = new QHBoxLayout;
  auto button = [&](QPushButton*& b, const char* name, const char* caption, void (MainWindow::*handler)()) {
    b = CommandButton(this, box, name, caption, handler);
    buttons->addWidget(b);
  };
  button(m_scanButton, "GetTone", "Durchsuche", &MainWindow::OnScanClicked);
  button(m_saveToneTableButton, "SaveToneTable", "Speichern", &MainWindow::OnSaveToneTableClicked);
  button(m_openToneTableButton, "OpenToneTable", "Öffnen", &MainWindow::OnOpenToneTableClicked);
  m_toneProgress = new QProgressBar(box);
  m_toneProgress->setObjectName(QStringLiteral("ProgressBar1"));
  m_toneProgress->setTextVisible(false);
  m_toneProgress->hide();
  buttons->addWidget(m_toneProgress, 1);
  buttons->addStretch();

  m_toneListView = new QTreeWidget(box);
  m_toneListView->setObjectName(QStringLiteral("ListView4"));
  m_toneListView->setSelectionMode(QAbstractItemView::ExtendedSelection);
  m_toneListView->setContextMenuPolicy(Qt::CustomContextMenu);
  m_toneAdapter = new ListAdapter(m_toneListView, m_toneList,
                                  {{ToQ("Nr:"), 971, Qt::AlignLeft},
                                   {ToQ("Startadr."), 1941, Qt::AlignHCenter},
                                   {ToQ("Stopadr."), 1941, Qt::AlignHCenter},
                                   {ToQ("Byte"), 1235, Qt::AlignRight},
                                   {ToQ("Note"), 4834, Qt::AlignLeft}});
  connect(m_toneListView, &QTreeWidget::itemDoubleClicked, this, [this] { OnToneListDoubleClicked(); });
  connect(m_toneListView, &QWidget::customContextMenuRequested, this, &MainWindow::OnToneListContextMenu);
  m_noteEditor = new NoteEditor(m_toneListView->viewport(), [this] { OnNoteEditorLeft(); });
  m_noteEditor->setObjectName(QStringLiteral("Text5"));
  m_noteEditor->hide();

  m_toneMenu = new QMenu(ToQ("Popup Menu1"), this);
  m_toneMenu->setObjectName(QStringLiteral("menufile1"));
  m_exportToneAction = NamedAction(m_toneMenu, "outputselect", "Exportiere Ton");
  m_exportAllTonesAction = NamedAction(m_toneMenu, "outputall", "Alle exporten");
  m_toneMenuSeparator = NamedSeparator(m_toneMenu, "line65");
  QMenu* offsetMenu = m_toneMenu->addMenu(ToQ("Offset ändern"));
  offsetMenu->setObjectName(QStringLiteral("modifyoffsetMenu"));
  m_offsetMenuAction = offsetMenu->menuAction();
  m_offsetMenuAction->setObjectName(QStringLiteral("modifyoffset"));
  // The tool windows start from the selected tone; without one they open
  // with empty fields.
  m_offsetChangeAction = NamedAction(offsetMenu, "S_series", "S108\\208\\308\\V20x");
  m_addressChangeAction = NamedAction(offsetMenu, "T_series", "Txxx");
  connect(m_offsetChangeAction, &QAction::triggered, this, [this] {
    const auto entry = SelectedToneEntry();
    OpenOffsetChange(entry ? entry->start : std::string(), entry ? entry->size : std::string());
  });
  connect(m_addressChangeAction, &QAction::triggered, this, [this] {
    const auto entry = SelectedToneEntry();
    OpenAddressChange(entry ? entry->start : std::string());
  });
  m_offsetMenuSeparator = NamedSeparator(m_toneMenu, "line1");
  m_addTonesAction = NamedAction(m_toneMenu, "addaddress", "Zur Liste hinzu");
  connect(m_exportToneAction, &QAction::triggered, this,
          [this] { RunCommand(this, [this] { OnExportToneClicked(); }, msg::kFileError); });
  connect(m_exportAllTonesAction, &QAction::triggered, this,
          [this] { RunCommand(this, [this] { OnExportAllTonesClicked(); }, msg::kFileError); });
  connect(m_addTonesAction, &QAction::triggered, this, &MainWindow::OnAddTonesClicked);

  auto* layout = new QVBoxLayout(box);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addLayout(buttons);
  layout->addWidget(m_toneListView);
  return box;
}

std::optional<tones::ToneEntry> MainWindow::SelectedToneEntry() const {
  const int row = m_toneAdapter->ActiveRow();
  if (row < 0 || row >= m_toneList.RowCount()) return std::nullopt;
  return m_toneList.Row(row);
}

void MainWindow::OnScanClicked() {
  if (!m_image.FileLoaded()) {
    ShowOutcome(tones::ScanTones(m_image, m_toneList));
    return;
  }
  Outcome scanned;
  {
    ProgressLoop loop(m_toneProgress, m_image.Size(), CommandWidgets());
    BusyCursor busy;
    scanned = tones::ScanTones(m_image, m_toneList, loop.Callback());
    m_toneAdapter->Reload();
  }
  ShowStatus(app::ScanStatus(scanned, m_toneList.RowCount()));
  ShowOutcome(scanned);
}

void MainWindow::OnSaveToneTableClicked() {
  if (m_toneList.Empty()) {  // message 4, before any dialog
    ShowOutcome(tones::SaveToneTable(m_toneList, {}));
    return;
  }
  const QString path =
      Platform::Current().SaveFileName(this, StartFolder(m_folders.TableSavePath), app::kToneTableFilter);
  if (path.isEmpty()) return;
  m_folders.TableSavePath = image::FolderOf(FromQ(path));
  const QString caption = m_toneListView->headerItem()->text(tones::kToneSize);
  ShowOutcome(tones::SaveToneTable(m_toneList, FromQ(path), FromQ(caption)));
}

void MainWindow::OnOpenToneTableClicked() {
  const QString path =
      Platform::Current().OpenFileName(this, StartFolder(m_folders.TableSavePath), app::kToneTableFilter);
  if (path.isEmpty()) return;
  m_folders.TableSavePath = image::FolderOf(FromQ(path));
  const Outcome opened = tones::OpenToneTable(FromQ(path), m_toneList);
  m_toneAdapter->Reload();
  ShowStatus(app::TableLoadStatus(opened, FromQ(path), m_toneList.RowCount(), app::CountedThing::kTone));
  ShowOutcome(opened);
}

void MainWindow::OnToneListDoubleClicked() {
  const std::optional<tones::ToneEntry> entry = SelectedToneEntry();
  if (m_toneList.Empty() || !entry) return;
  m_noteRow = m_toneAdapter->ActiveRow();

  // The note editor lies exactly over the Note cell of the row (the adapter
  // shows model row i as item i); both are in the viewport's coordinates.
  QTreeWidgetItem* item = m_toneListView->topLevelItem(m_noteRow);
  const QModelIndex cell = m_toneListView->indexFromItem(item, tones::kToneNote);
  m_noteEditor->setGeometry(m_toneListView->visualRect(cell));
  m_noteEditor->setText(ToQ(entry->note));
  m_noteEditor->show();
  m_noteEditor->setFocus();
  m_noteEditor->selectAll();

  // Playing is a convenience: a tone that cannot be written leaves the note
  // editor open and says nothing; one that no program plays says so in the
  // status bar.
  try {
    const std::string temp = image::JoinPath(m_toneFolder, app::kTempToneFileName);
    if (tones::WriteToneFile(m_image, *entry, temp).ok) OpenWithDesktop(ToQ(temp), std::string(app::kTempToneFileName));
  } catch (const image::HexOverflow&) {
  }
}

void MainWindow::OnNoteEditorLeft() {
  if (!m_noteEditor->isVisible()) return;
  m_noteEditor->hide();
  m_toneList.SetNote(m_noteRow, FromQ(m_noteEditor->text()));
  m_toneAdapter->Refresh();
}

void MainWindow::OnToneListContextMenu(const QPoint& pos) {
  const tones::ToneMenuState state = m_toneList.MenuState(m_image.FileLoaded());
  m_addTonesAction->setEnabled(state.addTonesEnabled);
  m_exportToneAction->setEnabled(state.exportEnabled);
  m_exportAllTonesAction->setEnabled(state.exportEnabled);
  m_offsetMenuAction->setVisible(state.offsetMenuVisible);
  m_offsetMenuAction->setEnabled(state.offsetMenuEnabled);
  m_offsetMenuSeparator->setVisible(state.offsetMenuVisible);
  m_toneMenu->popup(m_toneListView->viewport()->mapToGlobal(pos));
}

void MainWindow::OnExportToneClicked() { ExportToneRows(false); }
void MainWindow::OnExportAllTonesClicked() { ExportToneRows(true); }

void MainWindow::ExportToneRows(bool all) {
  const std::vector<int> selected = m_toneAdapter->SelectedRows();
  if (selected.empty()) {
    Platform::Current().ShowMessage(this, msg::kSelectToneToExport);
    return;
  }
  const QString path = Platform::Current().SaveFileName(this, StartFolder(m_folders.RingSavePath), app::kMmfFilter);
  if (path.isEmpty()) return;
  m_folders.RingSavePath = image::FolderOf(FromQ(path));
  Outcome exported;
  {
    std::optional<BusyCursor> busy;
    if (all) busy.emplace();
    ProgressLoop loop(m_toneProgress, m_toneList.RowCount(), CommandWidgets());
    exported = tones::ExportTones(m_image, m_toneList, selected, all, FromQ(path), loop.Callback());
  }
  RefreshMmfFileList();
  ShowOutcome(exported);
}

void MainWindow::OnAddTonesClicked() {
  m_replacementAdapter->Reordered(m_replacements.AddTones(m_toneList, m_toneAdapter->SelectedRows()));
}

}  // namespace korvana::ui
