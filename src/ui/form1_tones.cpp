// The tab "Töne", its upper half: the tone scan, the tone list with its note
// editor and context menu, the tone table file and the tone export. The
// browser and the replacement list live in form1_tone_files.cpp.

#include <QAction>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QHeaderView>
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
#include "image/hex.h"
#include "image/path.h"
#include "tones/tone_export.h"
#include "tones/tone_scanner.h"
#include "tones/tone_table.h"
#include "ui/form1.h"
#include "ui/list_adapter.h"
#include "ui/platform.h"
#include "ui/widget_helpers.h"
#include "ui/progress_loop.h"

namespace korvana::ui {

namespace {
// Text5: a line edit that reports when the user leaves it. Focus that goes
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

// Offsets of the note editor over the Note cell, in twips.
constexpr int kNoteTopTwips = 40;
constexpr int kNoteLeftTwips = 160;
constexpr int kNoteRightTwips = 330;

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

std::vector<QWidget*> Form1::CommandWidgets() { return {SSTab1, menuBar(), Toolbar1}; }

void Form1::BuildTonesTab(QWidget* page) {
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

QWidget* Form1::BuildToneList(QWidget* parent) {
  auto* box = new QWidget(parent);
  auto* buttons = new QHBoxLayout;
  auto button = [&](QPushButton*& b, const char* name, const char* caption, void (Form1::*handler)()) {
    b = CommandButton(this, box, name, caption, handler);
    buttons->addWidget(b);
  };
  button(GetTone, "GetTone", "Durchsuche", &Form1::GetTone_Click);
  button(SaveToneTable, "SaveToneTable", "Speichern", &Form1::SaveToneTable_Click);
  button(OpenToneTable, "OpenToneTable", "Öffnen", &Form1::OpenToneTable_Click);
  ProgressBar1 = new QProgressBar(box);
  ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
  ProgressBar1->setTextVisible(false);
  ProgressBar1->hide();
  buttons->addWidget(ProgressBar1, 1);
  buttons->addStretch();

  ListView4 = new QTreeWidget(box);
  ListView4->setObjectName(QStringLiteral("ListView4"));
  ListView4->setSelectionMode(QAbstractItemView::ExtendedSelection);
  ListView4->setContextMenuPolicy(Qt::CustomContextMenu);
  m_toneView = new ListAdapter(ListView4, m_toneList,
                               {{ToQ("Nr:"), 971, Qt::AlignLeft},
                                {ToQ("Startadr."), 1941, Qt::AlignHCenter},
                                {ToQ("Stopadr."), 1941, Qt::AlignHCenter},
                                {ToQ("Byte"), 1235, Qt::AlignRight},
                                {ToQ("Note"), 4834, Qt::AlignLeft}});
  connect(ListView4, &QTreeWidget::itemDoubleClicked, this, [this] { ListView4_DblClick(); });
  connect(ListView4, &QWidget::customContextMenuRequested, this, &Form1::ListView4_MouseDown);
  Text5 = new NoteEditor(ListView4->viewport(), [this] { Text5_LostFocus(); });
  Text5->setObjectName(QStringLiteral("Text5"));
  Text5->hide();

  menufile1 = new QMenu(ToQ("Popup Menu1"), this);
  menufile1->setObjectName(QStringLiteral("menufile1"));
  outputselect = NamedAction(menufile1, "outputselect", "Exportiere Ton");
  outputall = NamedAction(menufile1, "outputall", "Alle exporten");
  line65 = NamedSeparator(menufile1, "line65");
  QMenu* offsetMenu = menufile1->addMenu(ToQ("Offset ändern"));
  offsetMenu->setObjectName(QStringLiteral("modifyoffsetMenu"));
  modifyoffset = offsetMenu->menuAction();
  modifyoffset->setObjectName(QStringLiteral("modifyoffset"));
  // The tool windows start from the selected tone; without one they open
  // with empty fields.
  S_series = NamedAction(offsetMenu, "S_series", "S108\\208\\308\\V20x");
  T_series = NamedAction(offsetMenu, "T_series", "Txxx");
  connect(S_series, &QAction::triggered, this, [this] {
    const auto entry = SelectedToneEntry();
    OpenOffsetChange(entry ? entry->start : std::string(), entry ? entry->size : std::string());
  });
  connect(T_series, &QAction::triggered, this, [this] {
    const auto entry = SelectedToneEntry();
    OpenAddressChange(entry ? entry->start : std::string());
  });
  line1 = NamedSeparator(menufile1, "line1");
  addaddress = NamedAction(menufile1, "addaddress", "Zur Liste hinzu");
  connect(outputselect, &QAction::triggered, this,
          [this] { RunCommand(this, [this] { outputselect_Click(); }, msg::kFileError); });
  connect(outputall, &QAction::triggered, this,
          [this] { RunCommand(this, [this] { outputall_Click(); }, msg::kFileError); });
  connect(addaddress, &QAction::triggered, this, &Form1::addaddress_Click);

  auto* layout = new QVBoxLayout(box);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addLayout(buttons);
  layout->addWidget(ListView4);
  return box;
}

std::optional<tones::ToneEntry> Form1::SelectedToneEntry() const {
  const int row = m_toneView->ActiveRow();
  if (row < 0 || row >= m_toneList.RowCount()) return std::nullopt;
  return m_toneList.Row(row);
}

void Form1::GetTone_Click() {
  if (!m_image.FileLoaded()) {
    ShowOutcome(tones::ScanTones(m_image, m_toneList));
    return;
  }
  Outcome scanned;
  {
    ProgressLoop loop(ProgressBar1, m_image.Size(), CommandWidgets());
    BusyCursor busy;
    scanned = tones::ScanTones(m_image, m_toneList, loop.Callback());
    m_toneView->Reload();
    LetEventsRun();
  }
  ShowOutcome(scanned);
}

void Form1::SaveToneTable_Click() {
  if (m_toneList.Empty()) {  // message 4, before any dialog
    ShowOutcome(tones::SaveToneTable(m_toneList, {}));
    return;
  }
  const QString path =
      Platform::Current().SaveFileName(this, ToQ(m_folders.TableSavePath), app::kToneTableFilter);
  if (path.isEmpty()) return;
  m_folders.TableSavePath = image::FolderOf(FromQ(path));
  const QString caption = ListView4->headerItem()->text(tones::kToneSize);
  ShowOutcome(tones::SaveToneTable(m_toneList, FromQ(path), FromQ(caption)));
}

void Form1::OpenToneTable_Click() {
  const QString path = Platform::Current().OpenFileName(this, ToQ(m_folders.TableSavePath), app::kToneTableFilter);
  if (path.isEmpty()) return;
  m_folders.TableSavePath = image::FolderOf(FromQ(path));
  const Outcome opened = tones::OpenToneTable(FromQ(path), m_toneList);
  m_toneView->Reload();
  ShowOutcome(opened);
}

void Form1::ListView4_DblClick() {
  const std::optional<tones::ToneEntry> entry = SelectedToneEntry();
  if (m_toneList.Empty() || !entry) return;
  NoteRow = m_toneView->ActiveRow();

  // The note editor lies over the Note cell of the row (the adapter shows
  // model row i as item i).
  QTreeWidgetItem* item = ListView4->topLevelItem(NoteRow);
  const QRect row = item != nullptr ? ListView4->visualItemRect(item) : QRect();
  const int noteLeft = ListView4->header()->sectionViewportPosition(tones::kToneNote);
  Text5->setGeometry(noteLeft + Pixels(kNoteLeftTwips), row.top() + Pixels(kNoteTopTwips),
                     ListView4->width() - noteLeft - Pixels(kNoteRightTwips), row.height());
  Text5->setText(ToQ(entry->note));
  Text5->show();
  Text5->setFocus();
  Text5->selectAll();

  // Playing is a convenience: a tone that cannot be written or opened
  // leaves the note editor open and says nothing.
  try {
    const std::string temp = image::JoinPath(m_toneFolder, app::kTempToneFileName);
    if (tones::WriteToneFile(m_image, *entry, temp).ok) Platform::Current().OpenWithAssociatedApp(ToQ(temp));
  } catch (const image::HexOverflow&) {
  }
}

void Form1::Text5_LostFocus() {
  if (!Text5->isVisible()) return;
  Text5->hide();
  m_toneList.SetNote(NoteRow, FromQ(Text5->text()));
  m_toneView->Refresh();
}

void Form1::ListView4_MouseDown(const QPoint& pos) {
  const tones::ToneMenuState state = m_toneList.MenuState(m_image.FileLoaded());
  addaddress->setEnabled(state.addTonesEnabled);
  outputselect->setEnabled(state.exportEnabled);
  outputall->setEnabled(state.exportEnabled);
  modifyoffset->setVisible(state.offsetMenuVisible);
  modifyoffset->setEnabled(state.offsetMenuEnabled);
  line1->setVisible(state.offsetMenuVisible);
  menufile1->popup(ListView4->viewport()->mapToGlobal(pos));
}

void Form1::outputselect_Click() { ExportToneRows(false); }
void Form1::outputall_Click() { ExportToneRows(true); }

void Form1::ExportToneRows(bool all) {
  const std::vector<int> selected = m_toneView->SelectedRows();
  if (selected.empty()) {
    Platform::Current().ShowMessage(this, msg::kSelectToneToExport);
    return;
  }
  const QString path = Platform::Current().SaveFileName(this, ToQ(m_folders.RingSavePath), app::kMmfFilter);
  if (path.isEmpty()) return;
  m_folders.RingSavePath = image::FolderOf(FromQ(path));
  Outcome exported;
  {
    std::optional<BusyCursor> busy;
    if (all) busy.emplace();
    ProgressLoop loop(ProgressBar1, m_toneList.RowCount(), CommandWidgets());
    exported = tones::ExportTones(m_image, m_toneList, selected, all, FromQ(path), loop.Callback());
  }
  RefreshFile1();
  ShowOutcome(exported);
}

void Form1::addaddress_Click() {
  m_replacementView->Reordered(m_replacements.AddTones(m_toneList, m_toneView->SelectedRows()));
}

}  // namespace korvana::ui
