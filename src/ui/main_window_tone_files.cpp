// The tab "Töne", its lower half: the tone file browser (folder tree, list
// box of the folder's mmf files, tone file list) and the replacement list
// with its patch commands.

#include <QAbstractFileIconProvider>
#include <QAction>
#include <QDir>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QListWidget>
#include <QMenu>
#include <QSplitter>
#include <QTimer>
#include <QTreeView>
#include <QTreeWidget>

#include <memory>

#include "app/shared_texts.h"
#include "app/status_texts.h"
#include "image/path.h"
#include "tones/tone_patch.h"
#include "ui/list_adapter.h"
#include "ui/main_window.h"
#include "ui/platform.h"
#include "ui/progress_loop.h"

namespace korvana::ui {

namespace {
// The folder tree shows folders only, yet its model asks for an icon and a
// type of every file in the folders it watches, and finds them by reading
// the file, in the window's thread, whenever such a folder changes: each
// converter output written beside the firmware, every file that comes and
// goes in a busy temporary folder. Files get no icon and no type here;
// folders and drives keep theirs.
class FolderTreeIcons : public QAbstractFileIconProvider {
 public:
  QIcon icon(const QFileInfo& info) const override {
    return info.isFile() ? QIcon() : QAbstractFileIconProvider::icon(info);
  }
  QString type(const QFileInfo& info) const override {
    return info.isFile() ? QString() : QAbstractFileIconProvider::type(info);
  }
};

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
  // The model's thread may ask for icons until the model's very end: the
  // provider is never deleted.
  static auto* folderIcons = new FolderTreeIcons;
  m_folderModel->setIconProvider(folderIcons);
  m_folderModel->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
  m_folderModel->setRootPath(QDir::rootPath());
  m_folderTree = new QTreeView(split);
  m_folderTree->setObjectName(QStringLiteral("ET1"));
  m_folderTree->setModel(m_folderModel);
  for (int c = 1; c < m_folderModel->columnCount(); ++c) m_folderTree->hideColumn(c);
  m_folderTree->setHeaderHidden(true);
  connect(m_folderTree->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& index) { OnFolderChanged(m_folderModel->filePath(index)); });
  // The remembered folders are read after the tabs are built; the tree opens
  // at its folder once the window's start-up is done, expanded down to it.
  QTimer::singleShot(0, this, [this] { OpenFolderTreeAtRememberedFolder(); });

  m_mmfFileList = new QListWidget(split);
  m_mmfFileList->setObjectName(QStringLiteral("File1"));

  m_toneFileListView = new QTreeWidget(split);
  m_toneFileListView->setObjectName(QStringLiteral("ListView1"));
  m_toneFileListView->setSelectionMode(QAbstractItemView::ExtendedSelection);
  m_toneFileListView->setContextMenuPolicy(Qt::CustomContextMenu);
  m_toneFileAdapter = new ListAdapter(m_toneFileListView, m_toneFiles,
                                      {{QString(), 3175, Qt::AlignLeft}, {QString(), 1764, Qt::AlignLeft}});
  connect(m_toneFileAdapter, &ListAdapter::HeaderClicked, this, &MainWindow::OnToneFileHeaderClicked);
  connect(m_toneFileListView, &QTreeWidget::itemDoubleClicked, this, [this] { OnToneFileDoubleClicked(); });
  connect(m_toneFileListView, &QWidget::customContextMenuRequested, this, &MainWindow::OnToneFileListContextMenu);

  m_toneFileMenu = new QMenu(ToQ("Popup Menu2"), this);
  m_toneFileMenu->setObjectName(QStringLiteral("menufile2"));
  m_addToneFilesAction = NamedAction(m_toneFileMenu, "addmmf", "Zur Liste hinzu");
  connect(m_addToneFilesAction, &QAction::triggered, this, &MainWindow::OnAddToneFilesClicked);

  split->setStretchFactor(0, 3);
  split->setStretchFactor(1, 1);
  split->setStretchFactor(2, 3);
  return split;
}

QWidget* MainWindow::BuildReplacementList(QWidget* parent) {
  m_replacementListView = new QTreeWidget(parent);
  m_replacementListView->setObjectName(QStringLiteral("ListView3"));
  m_replacementListView->setSelectionMode(QAbstractItemView::SingleSelection);
  m_replacementListView->setContextMenuPolicy(Qt::CustomContextMenu);
  m_replacementAdapter = new ListAdapter(m_replacementListView, m_replacements,
                                         {{ToQ("Nr. "), 1482, Qt::AlignLeft},
                                          {ToQ("mmf Dateien"), 4480, Qt::AlignLeft},
                                          {ToQ("Tonadressen von-bis"), 9596, Qt::AlignLeft}});
  connect(m_replacementListView, &QWidget::customContextMenuRequested, this, &MainWindow::OnReplacementListContextMenu);

  m_replacementMenu = new QMenu(ToQ("Popup Menu3"), this);
  m_replacementMenu->setObjectName(QStringLiteral("menufile3"));
  m_removeRowAction = NamedAction(m_replacementMenu, "moveone", "Lösche Ausw.");
  m_removeAllAction = NamedAction(m_replacementMenu, "moveall", "Lösche alle");
  m_replacementMenu->addSeparator();
  m_removeFileAction = NamedAction(m_replacementMenu, "movemmf", "Lösche mmf");
  m_removeAllFilesAction = NamedAction(m_replacementMenu, "moveallmmf", "Lösche alle mmf");
  m_replacementMenu->addSeparator();
  m_removeToneAction = NamedAction(m_replacementMenu, "moveaddress", "Lösche Adr");
  m_removeAllTonesAction = NamedAction(m_replacementMenu, "movealladdress", "Lösche alles");
  m_replacementMenu->addSeparator();
  m_tickAllAction = NamedAction(m_replacementMenu, "selectall", "Alles!!");
  m_replacementMenu->addSeparator();
  m_tonePatchAction = NamedAction(m_replacementMenu, "outputs3", "Export s3");
  m_writeTonesAction = NamedAction(m_replacementMenu, "outputaxf", "-> bin!!");

  using RL = tones::ReplacementList;
  connect(m_removeRowAction, &QAction::triggered, this, [this] { ReplacementCommand(&RL::RemoveSelected); });
  connect(m_removeFileAction, &QAction::triggered, this, [this] { ReplacementCommand(&RL::RemoveFile); });
  connect(m_removeToneAction, &QAction::triggered, this, [this] { ReplacementCommand(&RL::RemoveTone); });
  auto whole = [this](void (RL::*command)()) {
    return [this, command] {
      (m_replacements.*command)();
      m_replacementAdapter->Refresh();
    };
  };
  connect(m_removeAllAction, &QAction::triggered, this, whole(&RL::RemoveAll));
  connect(m_removeAllFilesAction, &QAction::triggered, this, whole(&RL::RemoveAllFiles));
  connect(m_removeAllTonesAction, &QAction::triggered, this, whole(&RL::RemoveAllTones));
  connect(m_tickAllAction, &QAction::triggered, this, whole(&RL::TickAll));
  // A row whose address cannot be read fails as a row that cannot be read.
  connect(m_tonePatchAction, &QAction::triggered, this,
          [this] { RunCommand(this, [this] { OnTonePatchClicked(); }, msg::kFileError); });
  connect(m_writeTonesAction, &QAction::triggered, this,
          [this] { RunCommand(this, [this] { OnWriteTonesIntoImageClicked(); }, msg::kFileError); });
  return m_replacementListView;
}

void MainWindow::OpenFolderTreeAtRememberedFolder() {
  const QString folder = ToQ(m_folders.mmfFilePath);
  const QModelIndex start = m_folderModel->index(folder);
  if (!start.isValid() || m_folderTree->currentIndex().isValid()) return;
  m_folderTree->setCurrentIndex(start);
  for (QModelIndex up = start.parent(); up.isValid(); up = up.parent()) m_folderTree->expand(up);
  m_folderTree->expand(start);
  m_folderTree->scrollTo(start, QAbstractItemView::PositionAtCenter);
  // The model reads the folders above it one by one, in the background;
  // each one read moves the rows, so the tree scrolls to the folder again
  // until the folder's own contents are in.
  auto placing = std::make_shared<QMetaObject::Connection>();
  auto follow = [this, folder, placing](const QString& loaded) {
    const QModelIndex current = m_folderTree->currentIndex();
    if (m_folderModel->filePath(current) != QDir::cleanPath(folder)) {
      disconnect(*placing);  // the user went elsewhere meanwhile
      return;
    }
    m_folderTree->scrollTo(current, QAbstractItemView::PositionAtCenter);
    if (QDir::cleanPath(loaded) == QDir::cleanPath(folder)) disconnect(*placing);
  };
  *placing = connect(m_folderModel, &QFileSystemModel::directoryLoaded, this, follow);
}

void MainWindow::OnFolderChanged(const QString& folder) {
  if (folder.isEmpty()) return;
  m_folders.mmfFilePath = FromQ(folder);
  m_toneFiles.ReadFolder(m_folders.mmfFilePath);
  m_toneFileAdapter->Reload();
  RefreshMmfFileList();
}

void MainWindow::RefreshMmfFileList() {
  m_mmfFileList->clear();
  if (m_toneFiles.Folder().empty()) return;
  for (const std::string& name : tones::MmfFileNames(m_toneFiles.Folder())) m_mmfFileList->addItem(ToQ(name));
}

void MainWindow::OnToneFileHeaderClicked(int column) {
  m_toneFileAdapter->Reordered(m_toneFiles.HeaderClicked(column));
}

void MainWindow::OnToneFileDoubleClicked() {
  const std::vector<int> rows = m_toneFileAdapter->SelectedRows();
  if (m_toneFiles.RowCount() == 0 || rows.empty()) return;
  const std::string& path = m_toneFiles.Row(rows.front()).path;
  OpenWithDesktop(ToQ(path), image::FileNameOf(path));
}

void MainWindow::OnToneFileListContextMenu(const QPoint& pos) {
  m_addToneFilesAction->setEnabled(!m_toneFileAdapter->SelectedRows().empty());
  const app::RowOrder order = m_replacements.SortReplacementList();
  m_replacements.RenumberReplacementList();
  m_replacementAdapter->Reordered(order);
  m_toneFileMenu->popup(m_toneFileListView->viewport()->mapToGlobal(pos));
}

void MainWindow::OnAddToneFilesClicked() {
  m_replacementAdapter->Reordered(m_replacements.AddFiles(m_toneFiles, m_toneFileAdapter->SelectedRows()));
}

std::optional<int> MainWindow::SelectedReplacementRow() const {
  const std::vector<int> rows = m_replacementAdapter->SelectedRows();
  if (rows.empty()) return std::nullopt;
  return rows.front();
}

void MainWindow::OnReplacementListContextMenu(const QPoint& pos) {
  const tones::ReplacementMenuState s = m_replacements.MenuState(SelectedReplacementRow());
  m_tickAllAction->setEnabled(s.selectAll);
  m_removeRowAction->setEnabled(s.removeRow);
  m_removeAllAction->setEnabled(s.removeAll);
  m_removeFileAction->setEnabled(s.removeFile);
  m_removeAllFilesAction->setEnabled(s.removeAllFiles);
  m_removeToneAction->setEnabled(s.removeTone);
  m_removeAllTonesAction->setEnabled(s.removeAllTones);
  m_tonePatchAction->setEnabled(s.patch);
  m_writeTonesAction->setEnabled(s.patch);
  m_replacementMenu->popup(m_replacementListView->viewport()->mapToGlobal(pos));
}

void MainWindow::ReplacementCommand(void (tones::ReplacementList::*command)(std::optional<int>)) {
  (m_replacements.*command)(SelectedReplacementRow());
  m_replacementAdapter->Refresh();
}

void MainWindow::OnTonePatchClicked() {
  if (m_replacements.PatchRows().empty()) return;
  const QString path = Platform::Current().SaveFileName(this, StartFolder(m_folders.S3SavePath), app::kS3Filter);
  if (path.isEmpty()) return;
  m_folders.S3SavePath = image::FolderOf(FromQ(path));
  RunReplacementPatch(FromQ(path));
}

void MainWindow::OnWriteTonesIntoImageClicked() { RunReplacementPatch({}); }

void MainWindow::RunReplacementPatch(const std::string& s3Path) {
  const app::QuestionFn ask = AskUser();
  Outcome done;
  {
    ProgressLoop loop(m_toneProgress, static_cast<std::int64_t>(m_replacements.PatchRows().size()), CommandWidgets());
    done = s3Path.empty() ? tones::CopyReplacementsIntoImage(m_image, m_replacements, ask, loop.Callback())
                          : tones::ExportReplacementsS3(m_replacements, s3Path, ask, loop.Callback());
  }
  const auto rows = static_cast<long long>(m_replacements.PatchRows().size());
  ShowStatus(app::PatchStatus(done, rows, app::CountedThing::kTone));
  ShowOutcome(done);
}

}  // namespace korvana::ui
