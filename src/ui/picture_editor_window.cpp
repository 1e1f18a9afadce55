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
  Form_Load();
  if (!read.outcome.ok) main.ShowOutcome(read.outcome, this);
}

void PictureEditorWindow::BuildWindow() {
  Toolbar1 = new QToolBar(this);
  Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
  Toolbar1->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  auto add = [this](const char* key, QStyle::StandardPixmap icon, const char* tip) {
    QAction* a = Toolbar1->addAction(style()->standardIcon(icon), QString::fromLatin1(key));
    a->setObjectName(QString::fromLatin1(key));
    a->setToolTip(ToQ(tip));
    connect(a, &QAction::triggered, this,
            [this, key] { RunCommand(this, [this, key] { Toolbar1_ButtonClick(QString::fromLatin1(key)); }); });
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
    Picture1[k] = NamedLabel("Picture1", {}, this);
    Picture1[k]->setProperty("Index", i);
    Picture1[k]->setFixedSize(kBoxWidth, kBoxHeight);
    Picture1[k]->setAlignment(Qt::AlignCenter);
    Picture1[k]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    pictures->addWidget(Picture1[k], 1, i);
    pictures->addWidget(NamedLabel(dimensionNames[k], ToQ("H x B x F"), this), 2, i);
  }
  Label1 = NamedLabel("Label1", {}, this);
  Label2 = NamedLabel("Label2", {}, this);
  Label7 = NamedLabel("Label7", {}, this);
  Label9 = NamedLabel("Label9", {}, this);
  pictures->addWidget(Label1, 3, 0);
  pictures->addWidget(Label2, 3, 1);
  pictures->addWidget(Label7, 4, 0);
  pictures->addWidget(Label9, 4, 1);

  auto button = [this](const char* name, const char* caption, void (PictureEditorWindow::*handler)()) {
    QPushButton* b = CommandButton(this, this, name, caption, handler);
    b->setEnabled(false);
    return b;
  };
  VCommand = button("VCommand", "Spiegeln ↕", &PictureEditorWindow::VCommand_Click);
  HCommand = button("HCommand", "Spiegeln ↔", &PictureEditorWindow::HCommand_Click);
  A1Command = button("A1Command", "Drehen ↻", &PictureEditorWindow::A1Command_Click);
  A2Command = button("A2Command", "Drehen ↺", &PictureEditorWindow::A2Command_Click);
  auto* buttons = new QGridLayout;
  buttons->addWidget(VCommand, 0, 0);
  buttons->addWidget(HCommand, 0, 1);
  buttons->addWidget(A1Command, 1, 0);
  buttons->addWidget(A2Command, 1, 1);

  Frame1 = new QGroupBox(this);
  Frame1->setObjectName(QStringLiteral("Frame1"));
  Label8 = NamedLabel("Label8", {}, Frame1);
  Label10 = NamedLabel("Label10", {}, Frame1);
  Label10->setVisible(false);
  ProgressBar1 = new QProgressBar(Frame1);
  ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
  ProgressBar1->setRange(0, pictures::kMaxCompressionPalette);
  ProgressBar1->setTextVisible(false);
  ProgressBar1->setVisible(false);
  auto* progress = new QHBoxLayout(Frame1);
  progress->addWidget(Label8);
  progress->addWidget(ProgressBar1, 1);
  progress->addWidget(Label10);
  Frame1->setMinimumHeight(44);

  auto* layout = new QVBoxLayout(this);
  layout->setMenuBar(Toolbar1);
  layout->addLayout(pictures);
  layout->addLayout(buttons);
  layout->addWidget(Frame1);
}

void PictureEditorWindow::Form_Load() {
  Label8->clear();
  Label7->setText(ToQ(m_target.frameSizeText));
  Label1->setText(LoadPic(Picture1[0]));
  RefreshButtons();
}

QString PictureEditorWindow::LoadPic(QLabel* pic) {
  if (!m_targetOk) return {};
  const pictures::DecodedBmp bmp = pictures::DecodeFrame(m_main.Image().Bytes(), m_target.shape,
                                                         m_target.selectedFrame - 1, m_main.PicturePalette());
  if (bmp.Ok()) pic->setPixmap(PixmapOf(bmp.bytes));
  return ToQ(pictures::DimensionsText(m_target.shape.width, m_target.shape.height, m_target.shape.depth));
}

void PictureEditorWindow::Toolbar1_ButtonClick(const QString& key) {
  if (m_busy) return;
  if (key == QLatin1String("Open")) OpenPic();
  if (key == QLatin1String("Save")) {
    if (m_target.shape.depth == 1 && !m_target.shape.compressed) {
      SavePic1();
    } else {
      SavePic();
    }
  }
}

void PictureEditorWindow::OpenPic() {
  m_picture = pictures::NewPicture{};
  Label9->clear();
  RefreshButtons();
  const QString path =
      Platform::Current().OpenFileName(this, ToQ(m_main.Folders().PictureSavePath), app::kBmpFilter);
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
  Label9->setText(QString::number(m_picture.size));
  const bool tooLarge = pictures::TooLarge(m_target, m_picture);
  QPalette palette = Label9->palette();
  palette.setColor(QPalette::WindowText, tooLarge ? QColor(255, 0, 0) : QColor(0, 0, 0));
  Label9->setPalette(palette);
  RefreshButtons();
  if (opened.message != msg::kNone) Platform::Current().ShowMessage(this, opened.message);
}

void PictureEditorWindow::SavePic() { Replace(); }

void PictureEditorWindow::SavePic1() { Replace(); }

void PictureEditorWindow::Replace() {
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
  Picture1[1]->setPixmap(PixmapOf(m_picture.bmp));
  Label2->setText(ToQ(pictures::DimensionsText(m_picture.width, m_picture.height, m_picture.bits)));
}

void PictureEditorWindow::RefreshButtons() {
  const bool loaded = m_picture.loaded && !m_busy;
  m_openAction->setEnabled(!m_busy && m_targetOk);
  m_saveAction->setEnabled(m_everOpened && !m_busy);
  // The compressed form keeps the picture as compressed pixels: the editor
  // offers no turns for it.
  const bool turns = loaded && !m_target.shape.compressed;
  VCommand->setEnabled(turns && pictures::TurnAvailable(m_picture.bits, 1));
  HCommand->setEnabled(turns && pictures::TurnAvailable(m_picture.bits, 2));
  A1Command->setEnabled(turns && pictures::TurnAvailable(m_picture.bits, 3));
  A2Command->setEnabled(turns && pictures::TurnAvailable(m_picture.bits, 4));
}

void PictureEditorWindow::BeginCompression() {
  if (!m_target.shape.compressed) return;
  m_busy = true;
  RefreshButtons();
  Label8->setText(ToQ("压缩图片中..."));
  ProgressBar1->setValue(0);
  ProgressBar1->setVisible(true);
  Label10->setText(QStringLiteral("0%"));
  Label10->setVisible(true);
}

void PictureEditorWindow::EndCompression() {
  if (!m_target.shape.compressed) return;
  ProgressBar1->setValue(0);
  ProgressBar1->setVisible(false);
  Label10->setVisible(false);
  Label8->clear();
  m_busy = false;
  RefreshButtons();
}

ProgressFn PictureEditorWindow::CompressionProgress() {
  return [this](std::int64_t k) {
    ProgressBar1->setValue(static_cast<int>(k));
    Label10->setText(QString::number(k * 100 / pictures::kMaxCompressionPalette) + QStringLiteral("%"));
    LetEventsRun();
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
  emit Unloaded();
  event->accept();
}

}  // namespace korvana::ui
