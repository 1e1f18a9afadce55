// The tab "Töne", its lower half: the tone file browser (folder tree ET1,
// file list box File1, tone file list ListView1) and the replacement list
// ListView3 with its patch commands.

#include <QAction>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QListWidget>
#include <QMenu>
#include <QSplitter>
#include <QTimer>
#include <QTreeView>
#include <QTreeWidget>

#include "app/shared_texts.h"
#include "image/path.h"
#include "tones/tone_patch.h"
#include "ui/main_window.h"
#include "ui/list_adapter.h"
#include "ui/platform.h"
#include "ui/progress_loop.h"

namespace korvana::ui {

namespace {
QAction* NamedAction(QMenu* menu, const char* name, const char* caption) {
  QAction* a = menu->addAction(ToQ(caption));
  a->setObjectName(QString::fromLatin1(name));
  return a;
}
}  // namespace

QWidget* MainWindow::BuildToneFileBrowser(QWidget* parent) {
  auto* split = new QSplitter(Qt::Horizontal, parent);
  split->setObjectName(QStringLiteral("ToneFileBrowser"));

  m_folderModel = new QFileSystemModel(this);
  m_folderModel->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
  m_folderModel->setRootPath(QDir::rootPath());
  ET1 = new QTreeView(split);
  ET1->setObjectName(QStringLiteral("ET1"));
  ET1->setModel(m_folderModel);
  for (int c = 1; c < m_folderModel->columnCount(); ++c) ET1->hideColumn(c);
  ET1->setHeaderHidden(true);
  connect(ET1->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& index) { ET1_Change(m_folderModel->filePath(index)); });
  // The remembered folders are read after the tabs are built; the tree opens
  // at its folder once the window's start-up is done.
  QTimer::singleShot(0, this, [this] {
    const QModelIndex start = m_folderModel->index(ToQ(m_folders.mmfFilePath));
    if (!start.isValid() || ET1->currentIndex().isValid()) return;
    ET1->setCurrentIndex(start);
    ET1->scrollTo(start);
  });

  File1 = new QListWidget(split);
  File1->setObjectName(QStringLiteral("File1"));

  ListView1 = new QTreeWidget(split);
  ListView1->setObjectName(QStringLiteral("ListView1"));
  ListView1->setSelectionMode(QAbstractItemView::ExtendedSelection);
  ListView1->setContextMenuPolicy(Qt::CustomContextMenu);
  m_toneFileView = new ListAdapter(ListView1, m_toneFiles, {{QString(), 3175, Qt::AlignLeft}, {QString(), 1764, Qt::AlignLeft}});
  connect(m_toneFileView, &ListAdapter::HeaderClicked, this, &MainWindow::ListView1_ColumnClick);
  connect(ListView1, &QTreeWidget::itemDoubleClicked, this, [this] { ListView1_DblClick(); });
  connect(ListView1, &QWidget::customContextMenuRequested, this, &MainWindow::ListView1_MouseDown);

  menufile2 = new QMenu(ToQ("Popup Menu2"), this);
  menufile2->setObjectName(QStringLiteral("menufile2"));
  addmmf = NamedAction(menufile2, "addmmf", "Zur Liste hinzu");
  connect(addmmf, &QAction::triggered, this, &MainWindow::addmmf_Click);

  split->setStretchFactor(0, 3);
  split->setStretchFactor(1, 1);
  split->setStretchFactor(2, 3);
  return split;
}

QWidget* MainWindow::BuildReplacementList(QWidget* parent) {
  ListView3 = new QTreeWidget(parent);
  ListView3->setObjectName(QStringLiteral("ListView3"));
  ListView3->setSelectionMode(QAbstractItemView::SingleSelection);
  ListView3->setContextMenuPolicy(Qt::CustomContextMenu);
  m_replacementView = new ListAdapter(ListView3, m_replacements,
                                      {{ToQ("Nr. "), 1482, Qt::AlignLeft},
                                       {ToQ("mmf Dateien"), 4480, Qt::AlignLeft},
                                       {ToQ("Tonadressen von-bis"), 9596, Qt::AlignLeft}});
  connect(ListView3, &QWidget::customContextMenuRequested, this, &MainWindow::ListView3_MouseDown);

  menufile3 = new QMenu(ToQ("Popup Menu3"), this);
  menufile3->setObjectName(QStringLiteral("menufile3"));
  moveone = NamedAction(menufile3, "moveone", "Lösche Ausw.");
  moveall = NamedAction(menufile3, "moveall", "Lösche alle");
  menufile3->addSeparator();
  movemmf = NamedAction(menufile3, "movemmf", "Lösche mmf");
  moveallmmf = NamedAction(menufile3, "moveallmmf", "Lösche alle mmf");
  menufile3->addSeparator();
  moveaddress = NamedAction(menufile3, "moveaddress", "Lösche Adr");
  movealladdress = NamedAction(menufile3, "movealladdress", "Lösche alles");
  menufile3->addSeparator();
  selectall = NamedAction(menufile3, "selectall", "Alles!!");
  menufile3->addSeparator();
  outputs3 = NamedAction(menufile3, "outputs3", "Export s3");
  outputaxf = NamedAction(menufile3, "outputaxf", "-> bin!!");

  using RL = tones::ReplacementList;
  connect(moveone, &QAction::triggered, this, [this] { ReplacementCommand(&RL::RemoveSelected); });
  connect(movemmf, &QAction::triggered, this, [this] { ReplacementCommand(&RL::RemoveFile); });
  connect(moveaddress, &QAction::triggered, this, [this] { ReplacementCommand(&RL::RemoveTone); });
  auto whole = [this](void (RL::*command)()) {
    return [this, command] {
      (m_replacements.*command)();
      m_replacementView->Refresh();
    };
  };
  connect(moveall, &QAction::triggered, this, whole(&RL::RemoveAll));
  connect(moveallmmf, &QAction::triggered, this, whole(&RL::RemoveAllFiles));
  connect(movealladdress, &QAction::triggered, this, whole(&RL::RemoveAllTones));
  connect(selectall, &QAction::triggered, this, whole(&RL::TickAll));
  // A row whose address cannot be read fails as a row that cannot be read.
  connect(outputs3, &QAction::triggered, this,
          [this] { RunCommand(this, [this] { outputs3_Click(); }, msg::kFileError); });
  connect(outputaxf, &QAction::triggered, this,
          [this] { RunCommand(this, [this] { outputaxf_Click(); }, msg::kFileError); });
  return ListView3;
}

void MainWindow::ET1_Change(const QString& folder) {
  if (folder.isEmpty()) return;
  m_folders.mmfFilePath = FromQ(folder);
  m_toneFiles.ReadFolder(m_folders.mmfFilePath);
  m_toneFileView->Reload();
  RefreshFile1();
}

void MainWindow::RefreshFile1() {
  File1->clear();
  if (m_toneFiles.Folder().empty()) return;
  for (const std::string& name : tones::MmfFileNames(m_toneFiles.Folder())) File1->addItem(ToQ(name));
}

void MainWindow::ListView1_ColumnClick(int column) {
  m_toneFileView->Reordered(m_toneFiles.HeaderClicked(column));
}

void MainWindow::ListView1_DblClick() {
  const std::vector<int> rows = m_toneFileView->SelectedRows();
  if (m_toneFiles.RowCount() == 0 || rows.empty()) return;
  Platform::Current().OpenWithAssociatedApp(ToQ(m_toneFiles.Row(rows.front()).path));
}

void MainWindow::ListView1_MouseDown(const QPoint& pos) {
  addmmf->setEnabled(!m_toneFileView->SelectedRows().empty());
  const app::RowOrder order = m_replacements.SortReplacementList();
  m_replacements.RenumberReplacementList();
  m_replacementView->Reordered(order);
  menufile2->popup(ListView1->viewport()->mapToGlobal(pos));
}

void MainWindow::addmmf_Click() {
  m_replacementView->Reordered(m_replacements.AddFiles(m_toneFiles, m_toneFileView->SelectedRows()));
}

std::optional<int> MainWindow::SelectedReplacementRow() const {
  const std::vector<int> rows = m_replacementView->SelectedRows();
  if (rows.empty()) return std::nullopt;
  return rows.front();
}

void MainWindow::ListView3_MouseDown(const QPoint& pos) {
  const tones::ReplacementMenuState s = m_replacements.MenuState(SelectedReplacementRow());
  selectall->setEnabled(s.selectAll);
  moveone->setEnabled(s.removeRow);
  moveall->setEnabled(s.removeAll);
  movemmf->setEnabled(s.removeFile);
  moveallmmf->setEnabled(s.removeAllFiles);
  moveaddress->setEnabled(s.removeTone);
  movealladdress->setEnabled(s.removeAllTones);
  outputs3->setEnabled(s.patch);
  outputaxf->setEnabled(s.patch);
  menufile3->popup(ListView3->viewport()->mapToGlobal(pos));
}

void MainWindow::ReplacementCommand(void (tones::ReplacementList::*command)(std::optional<int>)) {
  (m_replacements.*command)(SelectedReplacementRow());
  m_replacementView->Refresh();
}

void MainWindow::outputs3_Click() {
  if (m_replacements.PatchRows().empty()) return;
  const QString path = Platform::Current().SaveFileName(this, ToQ(m_folders.S3SavePath), app::kS3Filter);
  if (path.isEmpty()) return;
  m_folders.S3SavePath = image::FolderOf(FromQ(path));
  RunReplacementPatch(FromQ(path));
}

void MainWindow::outputaxf_Click() { RunReplacementPatch({}); }

void MainWindow::RunReplacementPatch(const std::string& s3Path) {
  const app::QuestionFn ask = AskUser();
  Outcome done;
  {
    ProgressLoop loop(ProgressBar1, static_cast<std::int64_t>(m_replacements.PatchRows().size()), CommandWidgets());
    done = s3Path.empty() ? tones::CopyReplacementsIntoImage(m_image, m_replacements, ask, loop.Callback())
                          : tones::ExportReplacementsS3(m_replacements, s3Path, ask, loop.Callback());
  }
  ShowOutcome(done);
}

}  // namespace korvana::ui
