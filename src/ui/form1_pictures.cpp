// The tab "Bilder": the picture list read from a picture table, and the
// commands of its popup menu (BMP export and picture patch). The browser and
// the animation are in form1_picture_browser.cpp.

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
#include "image/path.h"
#include "pictures/picture_export.h"
#include "pictures/picture_table.h"
#include "ui/form1.h"
#include "ui/list_adapter.h"
#include "ui/platform.h"
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

void Form1::BuildPicturesTab(QWidget* page) {
  Frame16 = new QGroupBox(ToQ("Bilder in Fw."), page);
  Frame16->setObjectName(QStringLiteral("Frame16"));
  ListView5 = new QTreeWidget(Frame16);
  ListView5->setObjectName(QStringLiteral("ListView5"));
  ListView5->setSelectionMode(QAbstractItemView::ExtendedSelection);
  ListView5->setContextMenuPolicy(Qt::CustomContextMenu);
  m_pictureAdapter = new ListAdapter(ListView5, m_pictureList, PictureColumns());
  connect(ListView5, &QTreeWidget::itemClicked, this, [this] { RunCommand(this, [this] { ListView5_Click(); }); });
  connect(ListView5, &QTreeWidget::itemDoubleClicked, this,
          [this] { RunCommand(this, [this] { ListView5_DblClick(); }); });
  connect(ListView5, &QWidget::customContextMenuRequested, this, &Form1::ListView5_MouseUp);

  OpenPicTable = CommandButton(this, Frame16, "OpenPicTable", "Öffnen HDD", &Form1::OpenPicTable_Click);
  SavePicTable = CommandButton(this, Frame16, "SavePicTable", "Speichern ", &Form1::SavePicTable_Click);
  auto* Label25 = new QLabel(ToQ("Offset "), Frame16);
  Label25->setObjectName(QStringLiteral("Label25"));
  Text21 = new QLineEdit(Frame16);
  Text21->setObjectName(QStringLiteral("Text21"));
  Text21->setMaximumWidth(100);
  Check1 = new QCheckBox(ToQ("Bildgröße ber."), Frame16);
  Check1->setObjectName(QStringLiteral("Check1"));

  auto* tableRow = new QHBoxLayout;
  tableRow->addWidget(OpenPicTable);
  tableRow->addWidget(SavePicTable);
  tableRow->addSpacing(12);
  tableRow->addWidget(Label25);
  tableRow->addWidget(Text21);
  tableRow->addWidget(Check1);
  tableRow->addStretch();
  auto* frameLayout = new QVBoxLayout(Frame16);
  frameLayout->addWidget(ListView5);
  frameLayout->addLayout(tableRow);

  ProgressBar2 = new QProgressBar(page);
  ProgressBar2->setObjectName(QStringLiteral("ProgressBar2"));
  ProgressBar2->setVisible(false);

  auto* left = new QVBoxLayout;
  left->addWidget(Frame16, 1);
  left->addWidget(ProgressBar2);
  auto* layout = new QHBoxLayout(page);
  layout->addLayout(left, 1);
  layout->addWidget(BuildPictureBrowser(page));

  menufile5 = new QMenu(ToQ("Popup Menu5"), this);
  menufile5->setObjectName(QStringLiteral("menufile5"));
  auto item = [this](const char* name, const char* caption, void (Form1::*handler)()) {
    QAction* a = menufile5->addAction(ToQ(caption));
    a->setObjectName(QString::fromLatin1(name));
    connect(a, &QAction::triggered, this,
            [this, handler] { RunCommand(this, [this, handler] { (this->*handler)(); }); });
    return a;
  };
  outputpic = item("outputpic", "Bild Exp", &Form1::outputpic_Click);
  outputpicall = item("outputpicall", "alle Export.", &Form1::outputpicall_Click);
  menufile5->addSeparator();
  outputpics3 = item("outputpics3", "Export s3", &Form1::outputpics3_Click);
  menufile5->addSeparator();
  modifypicoffset = menufile5->addMenu(ToQ("Offset ändern"));
  modifypicoffset->setObjectName(QStringLiteral("modifypicoffset"));
  PictureOffset = modifypicoffset->addAction(ToQ("S108\\208\\308"));
  PictureOffset->setObjectName(QStringLiteral("PictureOffset"));
  connect(PictureOffset, &QAction::triggered, this, [this] {
    const auto entry = SelectedPictureEntry();
    OpenPictureOffset(entry ? entry->start : std::string(), entry ? entry->dimensions : std::string());
  });
}

std::optional<pictures::PictureEntry> Form1::SelectedPictureEntry() const {
  const pictures::PictureEntry* row = m_pictureList.Row(SelectedPictureRow());
  if (row == nullptr) return std::nullopt;
  return *row;
}

int Form1::SelectedPictureRow() const { return m_pictureAdapter->ActiveRow(); }

void Form1::RefreshPictureList() { m_pictureAdapter->Refresh(); }

pictures::Palette16 Form1::PicturePalette() const {
  return pictures::LoadPalette16(m_programFolder, m_dataFolder);
}

void Form1::OpenPicTable_Click() {
  m_animation.ResetFrame();
  const QString path =
      Platform::Current().OpenFileName(this, ToQ(m_folders.TableSavePath), app::kPictureTableFilter,
                                       kAllFilesFilter);
  if (path.isEmpty()) return;
  m_folders.TableSavePath = image::FolderOf(FromQ(path));
  pictures::PictureTableRead read =
      pictures::ReadPictureTable(FromQ(path), {FromQ(Text21->text()), Check1->isChecked()});
  m_pictureList.SetRows(std::move(read.rows));
  m_pictureAdapter->Reload();
  if (read.outcome.ok) {
    m_animation.EnablePlay();
  } else {
    m_animation.DisablePlayAndSteps();
  }
  SyncAnimation();
  if (!read.outcome.ok) ShowOutcome(read.outcome);
}

void Form1::SavePicTable_Click() {
  if (m_pictureList.RowCount() == 0) {
    Platform::Current().ShowMessage(this, msg::kToneTableEmpty);
    return;
  }
  const QString path =
      Platform::Current().SaveFileName(this, ToQ(m_folders.TableSavePath), app::kPictureTableFilter,
                                       kAllFilesFilter);
  if (path.isEmpty()) return;
  m_folders.TableSavePath = image::FolderOf(FromQ(path));
  ShowOutcome(pictures::WritePictureTable(FromQ(path), m_pictureList));
}

void Form1::ListView5_MouseUp(const QPoint& pos) {
  const bool any = m_pictureList.RowCount() > 0;
  for (QAction* a : {outputpic, outputpicall, outputpics3}) a->setEnabled(any);
  modifypicoffset->setEnabled(any);
  menufile5->popup(ListView5->viewport()->mapToGlobal(pos));
}

void Form1::outputpic_Click() {
  const std::vector<int> rows = m_pictureAdapter->SelectedRows();
  if (rows.empty()) {
    // Nothing would be written: say so instead of reporting files.
    Platform::Current().ShowMessage(this, msg::kSelectRows);
    return;
  }
  ExportPictureRows(rows);
}

void Form1::outputpicall_Click() {
  std::vector<int> rows;
  for (int i = 0; i < m_pictureList.RowCount(); ++i) rows.push_back(i);
  ExportPictureRows(rows);
}

void Form1::SetCommandsEnabled(bool enabled) {
  menuBar()->setEnabled(enabled);
  Toolbar1->setEnabled(enabled);
  SSTab1->setEnabled(enabled);
}

void Form1::ExportPictureRows(const std::vector<int>& rows) {
  const QString folder = Platform::Current().BrowseForFolder(this);
  m_folders.PictureSavePath = FromQ(folder);
  if (folder.isEmpty()) return;
  m_animation.StopTimer();
  SyncAnimation();
  Outcome out;
  {
    BusyCursor busy;
    SetCommandsEnabled(false);
    ProgressBar2->setRange(0, static_cast<int>(rows.size()));
    ProgressBar2->setValue(0);
    ProgressBar2->setVisible(true);
    out = pictures::ExportPictures(
        m_image, m_pictureList, rows, m_folders.PictureSavePath, PicturePalette(),
        [this](std::int64_t done) {
          ProgressBar2->setValue(static_cast<int>(done));
          LetEventsRun();
          return true;
        },
        [this] { Platform::Current().ShowError(this, ToQ(app::kBadBmpFormatText)); });
    ProgressBar2->setVisible(false);
    ProgressBar2->setValue(0);
    SetCommandsEnabled(true);
  }
  ShowOutcome(out);
}

void Form1::outputpics3_Click() {
  const QString path =
      Platform::Current().SaveFileName(this, ToQ(m_folders.S3SavePath), app::kS3Filter, kAllFilesFilter);
  if (path.isEmpty()) return;
  m_folders.S3SavePath = image::FolderOf(FromQ(path));
  m_animation.StopTimer();
  SyncAnimation();
  Outcome out;
  {
    BusyCursor busy;
    SetCommandsEnabled(false);
    out = pictures::WritePicturePatch(m_image, m_pictureList, m_pictureAdapter->SelectedRows(), FromQ(path),
                                      [](std::int64_t) {
                                        LetEventsRun();
                                        return true;
                                      });
    SetCommandsEnabled(true);
  }
  ShowOutcome(out);
}

}  // namespace korvana::ui
