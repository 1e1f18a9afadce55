#include "ui/picture_editor_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPalette>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

#include "app/shared_texts.h"
#include "image/path.h"
#include "pictures/picture_compression.h"
#include "pictures/stored_picture_format.h"
#include "ui/main_window.h"
#include "ui/picture_preview_window.h"
#include "ui/platform.h"
#include "ui/progress_loop.h"
#include "ui/widget_helpers.h"

namespace korvana::ui {

namespace {
// The boxes hold the largest handset picture, 128 x 160.
constexpr int kBoxWidth = 136;
constexpr int kBoxHeight = 168;

QPixmap PixmapOf(const std::vector<std::uint8_t>& bmp) {
  const QByteArray bytes(reinterpret_cast<const char*>(bmp.data()), static_cast<qsizetype>(bmp.size()));
  return QPixmap::fromImage(QImage::fromData(bytes, "BMP"));
}

QLabel* NamedLabel(const char* name, const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromLatin1(name));
  return label;
}
}  // namespace

PictureEditorWindow::PictureEditorWindow(MainWindow& main, PicturePreviewWindow* preview, int selectedFrame)
    : QWidget(nullptr, Qt::Window), m_main(main), m_preview(preview) {
  setObjectName(QStringLiteral("Form3"));
  setWindowTitle(ToQ("Bild ersetzen"));
  setAttribute(Qt::WA_DeleteOnClose);
  connect(&main, &QObject::destroyed, this, [this] { delete this; });
  const pictures::TargetRead read =
      pictures::ReplacementTargetOf(main.PictureRows(), main.SelectedPictureRow(), selectedFrame);
  m_target = read.target;
  m_targetOk = read.outcome.ok;
  BuildWindow();
  ShowBuiltInFrame();
  if (!read.outcome.ok) main.ShowOutcome(read.outcome, this);
}

void PictureEditorWindow::BuildWindow() {
  m_toolbar = new QToolBar(this);
  m_toolbar->setObjectName(QStringLiteral("Toolbar1"));
  m_toolbar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  auto add = [this](const char* key, QStyle::StandardPixmap icon, const char* tip) {
    QAction* a = m_toolbar->addAction(style()->standardIcon(icon), QString::fromLatin1(key));
    a->setObjectName(QString::fromLatin1(key));
    a->setToolTip(ToQ(tip));
    connect(a, &QAction::triggered, this,
            [this, key] { RunCommand(this, [this, key] { OnToolbarActionTriggered(QString::fromLatin1(key)); }); });
    return a;
  };
  m_openAction = add("Open", QStyle::SP_DialogOpenButton, "打开图片");
  m_saveAction = add("Save", QStyle::SP_DialogSaveButton, "修改图片");

  auto* pictures = new QGridLayout;
  const std::array<const char*, 2> captions{"Bild alt", "Bild neu"};
  const std::array<const char*, 2> captionNames{"Label5", "Label6"};
  const std::array<const char*, 2> dimensionNames{"Label3", "Label4"};
  for (int i = 0; i < 2; ++i) {
    const auto k = static_cast<std::size_t>(i);
    pictures->addWidget(NamedLabel(captionNames[k], ToQ(captions[k]), this), 0, i);
    m_pictureBoxes[k] = NamedLabel("Picture1", {}, this);
    m_pictureBoxes[k]->setProperty("Index", i);
    m_pictureBoxes[k]->setFixedSize(kBoxWidth, kBoxHeight);
    m_pictureBoxes[k]->setAlignment(Qt::AlignCenter);
    m_pictureBoxes[k]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    pictures->addWidget(m_pictureBoxes[k], 1, i);
    pictures->addWidget(NamedLabel(dimensionNames[k], ToQ("H x B x F"), this), 2, i);
  }
  m_builtInDimensions = NamedLabel("Label1", {}, this);
  m_newDimensions = NamedLabel("Label2", {}, this);
  m_builtInSize = NamedLabel("Label7", {}, this);
  m_newSize = NamedLabel("Label9", {}, this);
  pictures->addWidget(m_builtInDimensions, 3, 0);
  pictures->addWidget(m_newDimensions, 3, 1);
  pictures->addWidget(m_builtInSize, 4, 0);
  pictures->addWidget(m_newSize, 4, 1);

  auto button = [this](const char* name, const char* caption, void (PictureEditorWindow::*handler)()) {
    QPushButton* b = CommandButton(this, this, name, caption, handler);
    b->setEnabled(false);
    return b;
  };
  m_flipButton = button("VCommand", "Spiegeln ↕", &PictureEditorWindow::OnFlipClicked);
  m_mirrorButton = button("HCommand", "Spiegeln ↔", &PictureEditorWindow::OnMirrorClicked);
  m_turnRightButton = button("A1Command", "Drehen ↻", &PictureEditorWindow::OnTurnRightClicked);
  m_turnLeftButton = button("A2Command", "Drehen ↺", &PictureEditorWindow::OnTurnLeftClicked);
  auto* buttons = new QGridLayout;
  buttons->addWidget(m_flipButton, 0, 0);
  buttons->addWidget(m_mirrorButton, 0, 1);
  buttons->addWidget(m_turnRightButton, 1, 0);
  buttons->addWidget(m_turnLeftButton, 1, 1);

  m_progressFrame = new QGroupBox(this);
  m_progressFrame->setObjectName(QStringLiteral("Frame1"));
  m_compressionStatus = NamedLabel("Label8", {}, m_progressFrame);
  m_compressionPercent = NamedLabel("Label10", {}, m_progressFrame);
  m_compressionPercent->setVisible(false);
  m_compressionProgress = new QProgressBar(m_progressFrame);
  m_compressionProgress->setObjectName(QStringLiteral("ProgressBar1"));
  m_compressionProgress->setRange(0, pictures::kMaxCompressionPalette);
  m_compressionProgress->setTextVisible(false);
  m_compressionProgress->setVisible(false);
  auto* progress = new QHBoxLayout(m_progressFrame);
  progress->addWidget(m_compressionStatus);
  progress->addWidget(m_compressionProgress, 1);
  progress->addWidget(m_compressionPercent);
  m_progressFrame->setMinimumHeight(44);

  auto* layout = new QVBoxLayout(this);
  layout->setMenuBar(m_toolbar);
  layout->addLayout(pictures);
  layout->addLayout(buttons);
  layout->addWidget(m_progressFrame);
}

void PictureEditorWindow::ShowBuiltInFrame() {
  m_compressionStatus->clear();
  m_builtInSize->setText(ToQ(m_target.frameSizeText));
  m_builtInDimensions->setText(DrawBuiltInFrame(m_pictureBoxes[0]));
  RefreshButtons();
}

QString PictureEditorWindow::DrawBuiltInFrame(QLabel* box) {
  if (!m_targetOk) return {};
  const pictures::DecodedBmp bmp = pictures::DecodeFrame(m_main.Image().Bytes(), m_target.shape,
                                                         m_target.selectedFrame - 1, m_main.PicturePalette());
  if (bmp.Ok()) box->setPixmap(PixmapOf(bmp.bytes));
  return ToQ(pictures::DimensionsText(m_target.shape.width, m_target.shape.height, m_target.shape.depth));
}

void PictureEditorWindow::OnToolbarActionTriggered(const QString& key) {
  if (m_busy) return;
  if (key == QLatin1String("Open")) OpenUserPicture();
  // Every stored form has the one write: ReplaceFrame stores the target's form.
  if (key == QLatin1String("Save")) WriteNewPicture();
}

void PictureEditorWindow::OpenUserPicture() {
  m_picture = pictures::NewPicture{};
  m_newSize->clear();
  RefreshButtons();
  const QString path =
      Platform::Current().OpenFileName(this, m_main.StartFolder(m_main.Folders().PictureSavePath), app::kBmpFilter);
  if (path.isEmpty()) return;
  m_main.Folders().PictureSavePath = image::FolderOf(FromQ(path));
  Outcome opened;
  {
    BusyCursor busy;
    BeginCompression();
    opened = pictures::OpenNewPicture(FromQ(path), m_target, m_picture, CompressionProgress());
    EndCompression();
  }
  if (!opened.ok) {
    RefreshButtons();
    Platform::Current().ShowMessage(this, opened.message);
    return;
  }
  m_everOpened = true;
  ShowNewPicture();
  m_newSize->setText(QString::number(m_picture.size));
  const bool tooLarge = pictures::TooLarge(m_target, m_picture);
  QPalette palette = m_newSize->palette();
  palette.setColor(QPalette::WindowText, tooLarge ? QColor(255, 0, 0) : QColor(0, 0, 0));
  m_newSize->setPalette(palette);
  RefreshButtons();
  if (opened.message != msg::kNone) Platform::Current().ShowMessage(this, opened.message);
}

void PictureEditorWindow::WriteNewPicture() {
  if (!m_picture.loaded) return;
  Outcome out;
  {
    BusyCursor busy;
    out = pictures::ReplaceFrame(m_main.Image(), m_main.PictureRows(), m_target, m_picture,
                                 [this](std::string_view text, std::string_view title) {
                                   return Platform::Current().Ask(this, text, title);
                                 });
  }
  if (!out.ok) {
    if (out.message != msg::kNone) m_main.ShowOutcome(out, this);
    return;
  }
  // An accepted larger compressed picture changed the row's frame size.
  const pictures::PictureEntry* row = m_main.PictureRows().Row(m_target.row);
  if (row != nullptr && row->frameSize != m_target.frameSizeText) m_main.RefreshPictureList();
  m_main.ShowOutcome(out, this);
  if (m_preview) {
    m_preview->setEnabled(true);
    m_preview->ReloadFrame(m_target.selectedFrame);
  }
  close();
}

void PictureEditorWindow::Turn(int mode) {
  if (!m_picture.loaded || m_busy) return;
  bool turned = false;
  {
    BusyCursor busy;
    BeginCompression();
    turned = pictures::TurnNewPicture(m_picture, mode, m_target, CompressionProgress());
    EndCompression();
  }
  if (turned) ShowNewPicture();
}

void PictureEditorWindow::ShowNewPicture() {
  m_pictureBoxes[1]->setPixmap(PixmapOf(m_picture.bmp));
  m_newDimensions->setText(ToQ(pictures::DimensionsText(m_picture.width, m_picture.height, m_picture.bits)));
}

void PictureEditorWindow::RefreshButtons() {
  const bool loaded = m_picture.loaded && !m_busy;
  m_openAction->setEnabled(!m_busy && m_targetOk);
  m_saveAction->setEnabled(m_everOpened && !m_busy);
  // The compressed form keeps the picture as compressed pixels: the editor
  // offers no turns for it.
  const bool turns = loaded && !m_target.shape.compressed;
  m_flipButton->setEnabled(turns && pictures::TurnAvailable(m_picture.bits, 1));
  m_mirrorButton->setEnabled(turns && pictures::TurnAvailable(m_picture.bits, 2));
  m_turnRightButton->setEnabled(turns && pictures::TurnAvailable(m_picture.bits, 3));
  m_turnLeftButton->setEnabled(turns && pictures::TurnAvailable(m_picture.bits, 4));
}

void PictureEditorWindow::BeginCompression() {
  if (!m_target.shape.compressed) return;
  m_busy = true;
  RefreshButtons();
  m_compressionStatus->setText(ToQ("压缩图片中..."));
  m_compressionProgress->setValue(0);
  m_compressionProgress->setVisible(true);
  m_compressionPercent->setText(QStringLiteral("0%"));
  m_compressionPercent->setVisible(true);
}

void PictureEditorWindow::EndCompression() {
  if (!m_target.shape.compressed) return;
  m_compressionProgress->setValue(0);
  m_compressionProgress->setVisible(false);
  m_compressionPercent->setVisible(false);
  m_compressionStatus->clear();
  m_busy = false;
  RefreshButtons();
}

ProgressFn PictureEditorWindow::CompressionProgress() {
  return [this, throttle = ProgressThrottle(ProgressThrottle::First::kAfterInterval)](std::int64_t k) mutable {
    if (throttle.Due()) {
      m_compressionProgress->setValue(static_cast<int>(k));
      m_compressionPercent->setText(QString::number(k * 100 / pictures::kMaxCompressionPalette) +
                                    QStringLiteral("%"));
      LetEventsRun();
    }
    return true;
  };
}

void PictureEditorWindow::closeEvent(QCloseEvent* event) {
  if (m_busy) {
    // A compression is running in this window's events.
    event->ignore();
    return;
  }
  m_picture.loaded = false;
  if (m_preview) m_preview->setEnabled(true);
  emit Closed();
  event->accept();
}

}  // namespace korvana::ui
