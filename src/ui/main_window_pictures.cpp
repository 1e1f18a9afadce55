// The tab "Bilder": the picture list read from a picture table, and the
// commands of its popup menu (BMP export and picture patch). The browser and
// the animation are in main_window_picture_browser.cpp.

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

#include "app/program_folder.h"
#include "app/shared_texts.h"
#include "app/status_texts.h"
#include "image/path.h"
#include "pictures/picture_export.h"
#include "pictures/picture_table.h"
#include "ui/list_adapter.h"
#include "ui/main_window.h"
#include "ui/platform.h"
#include "ui/progress_loop.h"
#include "ui/widget_helpers.h"

namespace korvana::ui {

namespace {
// Picture tables and patches come under many names: their dialogs open on
// the filter "所有文件(*.*)", the second entry.
constexpr int kAllFilesFilter = 2;

std::vector<ListColumn> PictureColumns() {
  const std::array<int, pictures::kPictureColumnCount> widths{600, 1500, 1500, 700, 1000, 1100, 700};
  std::vector<ListColumn> columns;
  for (int i = 0; i < pictures::kPictureColumnCount; ++i) {
    const auto k = static_cast<std::size_t>(i);
    const bool number = i == static_cast<int>(pictures::PictureColumn::kCount) ||
                        i == static_cast<int>(pictures::PictureColumn::kFrameSize);
    columns.push_back({ToQ(pictures::kPictureColumnHeaders[k]), widths[k], number ? Qt::AlignRight : Qt::AlignLeft});
  }
  return columns;
}
}  // namespace

void MainWindow::BuildPicturesTab(QWidget* page) {
  m_pictureListFrame = new QGroupBox(ToQ("Bilder in Fw."), page);
  m_pictureListFrame->setObjectName(QStringLiteral("Frame16"));
  m_pictureListView = new QTreeWidget(m_pictureListFrame);
  m_pictureListView->setObjectName(QStringLiteral("ListView5"));
  m_pictureListView->setSelectionMode(QAbstractItemView::ExtendedSelection);
  m_pictureListView->setContextMenuPolicy(Qt::CustomContextMenu);
  m_pictureAdapter = new ListAdapter(m_pictureListView, m_pictureList, PictureColumns());
  connect(m_pictureListView, &QTreeWidget::itemClicked, this,
          [this] { RunCommand(this, [this] { OnPictureListClicked(); }); });
  connect(m_pictureListView, &QTreeWidget::itemDoubleClicked, this,
          [this] { RunCommand(this, [this] { OnPictureListDoubleClicked(); }); });
  connect(m_pictureListView, &QWidget::customContextMenuRequested, this, &MainWindow::OnPictureListContextMenu);

  m_openPictureTableButton =
      CommandButton(this, m_pictureListFrame, "OpenPicTable", "Öffnen HDD", &MainWindow::OnOpenPictureTableClicked);
  m_savePictureTableButton =
      CommandButton(this, m_pictureListFrame, "SavePicTable", "Speichern ", &MainWindow::OnSavePictureTableClicked);
  auto* offsetLabel = new QLabel(ToQ("Offset "), m_pictureListFrame);
  offsetLabel->setObjectName(QStringLiteral("Label25"));
  m_addressOffset = new QLineEdit(m_pictureListFrame);
  m_addressOffset->setObjectName(QStringLiteral("Text21"));
  m_addressOffset->setMaximumWidth(100);
  m_computeFrameSize = new QCheckBox(ToQ("Bildgröße ber."), m_pictureListFrame);
  m_computeFrameSize->setObjectName(QStringLiteral("Check1"));

  auto* tableRow = new QHBoxLayout;
  tableRow->addWidget(m_openPictureTableButton);
  tableRow->addWidget(m_savePictureTableButton);
  tableRow->addSpacing(12);
  tableRow->addWidget(offsetLabel);
  tableRow->addWidget(m_addressOffset);
  tableRow->addWidget(m_computeFrameSize);
  tableRow->addStretch();
  auto* frameLayout = new QVBoxLayout(m_pictureListFrame);
  frameLayout->addWidget(m_pictureListView);
  frameLayout->addLayout(tableRow);

  m_exportProgress = new QProgressBar(page);
  m_exportProgress->setObjectName(QStringLiteral("ProgressBar2"));
  m_exportProgress->setVisible(false);

  auto* left = new QVBoxLayout;
  left->addWidget(m_pictureListFrame, 1);
  left->addWidget(m_exportProgress);
  auto* layout = new QHBoxLayout(page);
  layout->addLayout(left, 1);
  layout->addWidget(BuildPictureBrowser(page));

  m_pictureMenu = new QMenu(ToQ("Popup Menu5"), this);
  m_pictureMenu->setObjectName(QStringLiteral("menufile5"));
  auto item = [this](const char* name, const char* caption, void (MainWindow::*handler)()) {
    QAction* a = m_pictureMenu->addAction(ToQ(caption));
    a->setObjectName(QString::fromLatin1(name));
    connect(a, &QAction::triggered, this,
            [this, handler] { RunCommand(this, [this, handler] { (this->*handler)(); }); });
    return a;
  };
  m_exportPictureAction = item("outputpic", "Bild Exp", &MainWindow::OnExportPictureClicked);
  m_exportAllPicturesAction = item("outputpicall", "alle Export.", &MainWindow::OnExportAllPicturesClicked);
  m_pictureMenu->addSeparator();
  m_picturePatchAction = item("outputpics3", "Export s3", &MainWindow::OnPicturePatchClicked);
  m_pictureMenu->addSeparator();
  m_pictureOffsetMenu = m_pictureMenu->addMenu(ToQ("Offset ändern"));
  m_pictureOffsetMenu->setObjectName(QStringLiteral("modifypicoffset"));
  m_pictureOffsetAction = m_pictureOffsetMenu->addAction(ToQ("S108\\208\\308"));
  m_pictureOffsetAction->setObjectName(QStringLiteral("PictureOffset"));
  connect(m_pictureOffsetAction, &QAction::triggered, this, [this] {
    const auto entry = SelectedPictureEntry();
    OpenPictureOffset(entry ? entry->start : std::string(), entry ? entry->dimensions : std::string());
  });
}

std::optional<pictures::PictureEntry> MainWindow::SelectedPictureEntry() const {
  const pictures::PictureEntry* row = m_pictureList.Row(SelectedPictureRow());
  if (row == nullptr) return std::nullopt;
  return *row;
}

std::optional<pictures::PictureShape> MainWindow::SelectedPictureShape(bool showFailure) {
  const std::optional<pictures::PictureEntry> entry = SelectedPictureEntry();
  if (!entry) return std::nullopt;
  pictures::ParsedPicture parsed = pictures::ParsePictureEntry(*entry);
  if (parsed.Ok()) return parsed.shape;
  if (showFailure) ShowOutcome(Outcome::Failure(parsed.message, parsed.detail));
  return std::nullopt;
}

int MainWindow::SelectedPictureRow() const { return m_pictureAdapter->ActiveRow(); }

void MainWindow::RefreshPictureList() { m_pictureAdapter->Refresh(); }

pictures::Palette16 MainWindow::PicturePalette() const {
  return pictures::LoadPalette16(m_programFolder, m_dataFolder);
}

void MainWindow::OnOpenPictureTableClicked() {
  m_animation.ResetFrame();
  const QString path =
      Platform::Current().OpenFileName(this, StartFolder(m_folders.TableSavePath), app::kPictureTableFilter,
                                       kAllFilesFilter);
  if (path.isEmpty()) return;
  m_folders.TableSavePath = image::FolderOf(FromQ(path));
  pictures::PictureTableRead read =
      pictures::ReadPictureTable(FromQ(path), {FromQ(m_addressOffset->text()), m_computeFrameSize->isChecked()});
  m_pictureList.SetRows(std::move(read.rows));
  m_pictureAdapter->Reload();
  if (read.outcome.ok) {
    m_animation.EnablePlay();
  } else {
    m_animation.DisablePlayAndSteps();
  }
  SyncAnimation();
  ShowStatus(app::TableLoadStatus(read.outcome, FromQ(path), m_pictureList.RowCount(), app::CountedThing::kPicture));
  if (!read.outcome.ok) ShowOutcome(read.outcome);
}

void MainWindow::OnSavePictureTableClicked() {
  if (m_pictureList.RowCount() == 0) {
    Platform::Current().ShowMessage(this, msg::kToneTableEmpty);
    return;
  }
  const QString path =
      Platform::Current().SaveFileName(this, StartFolder(m_folders.TableSavePath), app::kPictureTableFilter,
                                       kAllFilesFilter);
  if (path.isEmpty()) return;
  m_folders.TableSavePath = image::FolderOf(FromQ(path));
  ShowOutcome(pictures::WritePictureTable(FromQ(path), m_pictureList));
}

void MainWindow::OnPictureListContextMenu(const QPoint& pos) {
  const bool any = m_pictureList.RowCount() > 0;
  for (QAction* a : {m_exportPictureAction, m_exportAllPicturesAction, m_picturePatchAction}) a->setEnabled(any);
  m_pictureOffsetMenu->setEnabled(any);
  m_pictureMenu->popup(m_pictureListView->viewport()->mapToGlobal(pos));
}

void MainWindow::OnExportPictureClicked() {
  const std::vector<int> rows = m_pictureAdapter->SelectedRows();
  if (rows.empty()) {
    // Nothing would be written: say so instead of reporting files.
    Platform::Current().ShowMessage(this, msg::kSelectRows);
    return;
  }
  ExportPictureRows(rows);
}

void MainWindow::OnExportAllPicturesClicked() {
  std::vector<int> rows;
  for (int i = 0; i < m_pictureList.RowCount(); ++i) rows.push_back(i);
  ExportPictureRows(rows);
}

void MainWindow::SetCommandsEnabled(bool enabled) {
  menuBar()->setEnabled(enabled);
  m_toolbar->setEnabled(enabled);
  m_tabs->setEnabled(enabled);
}

void MainWindow::ExportPictureRows(const std::vector<int>& rows) {
  const QString folder = Platform::Current().BrowseForFolder(this);
  m_folders.PictureSavePath = FromQ(folder);
  if (folder.isEmpty()) return;
  m_animation.StopTimer();
  SyncAnimation();
  Outcome out;
  {
    BusyCursor busy;
    SetCommandsEnabled(false);
    m_exportProgress->setRange(0, static_cast<int>(rows.size()));
    m_exportProgress->setValue(0);
    m_exportProgress->setVisible(true);
    ProgressThrottle throttle(ProgressThrottle::First::kAfterInterval);
    out = pictures::ExportPictures(
        m_image, m_pictureList, rows, m_folders.PictureSavePath, PicturePalette(),
        [this, &throttle](std::int64_t done) {
          if (throttle.Due()) {
            m_exportProgress->setValue(static_cast<int>(done));
            LetEventsRun();
          }
          return true;
        },
        [this](const pictures::PictureEntry&) { Platform::Current().ShowError(this, ToQ(app::kBadBmpFormatText)); });
    m_exportProgress->setVisible(false);
    m_exportProgress->setValue(0);
    SetCommandsEnabled(true);
  }
  ShowOutcome(out);
}

void MainWindow::OnPicturePatchClicked() {
  const QString path =
      Platform::Current().SaveFileName(this, StartFolder(m_folders.S3SavePath), app::kS3Filter, kAllFilesFilter);
  if (path.isEmpty()) return;
  m_folders.S3SavePath = image::FolderOf(FromQ(path));
  m_animation.StopTimer();
  SyncAnimation();
  Outcome out;
  {
    BusyCursor busy;
    SetCommandsEnabled(false);
    ProgressThrottle throttle(ProgressThrottle::First::kAfterInterval);
    out = pictures::WritePicturePatch(m_image, m_pictureList, m_pictureAdapter->SelectedRows(), FromQ(path),
                                      [&throttle](std::int64_t) {
                                        if (throttle.Due()) LetEventsRun();
                                        return true;
                                      });
    SetCommandsEnabled(true);
  }
  ShowStatus(app::PatchStatus(out, 0, app::CountedThing::kPicture));
  ShowOutcome(out);
}

}  // namespace korvana::ui
