// The picture browser of the tab "Bilder": a click on the list shows frame 1
// in the picture box, the step buttons walk the frames, the animation timer
// plays them, and a double click opens all frames in the preview window,
// whose frames open the picture replacement editor.

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/shared_texts.h"
#include "image/hex.h"
#include "ui/main_window.h"
#include "ui/picture_preview_window.h"
#include "ui/platform.h"
#include "ui/widget_helpers.h"

namespace korvana::ui {

namespace {
// The picture box shows up to the largest handset picture.
constexpr int kPictureBoxWidth = 128;
constexpr int kPictureBoxHeight = 160;
constexpr int kSliderSteps = 10;
}  // namespace

QWidget* MainWindow::BuildPictureBrowser(QWidget* page) {
  auto* browser = new QWidget(page);
  auto* box = new QGroupBox(ToQ("Max pixel: 128 x 160"), browser);
  box->setObjectName(QStringLiteral("Frame17"));
  m_framePicture = new QLabel(box);
  m_framePicture->setObjectName(QStringLiteral("Picture2"));
  m_framePicture->setMinimumSize(kPictureBoxWidth + 8, kPictureBoxHeight + 8);
  m_framePicture->setAlignment(Qt::AlignCenter);
  auto* boxLayout = new QVBoxLayout(box);
  boxLayout->addWidget(m_framePicture, 0, Qt::AlignCenter);

  auto field = [browser](const char* labelName, const char* caption, const char* name, QLineEdit*& edit) {
    auto* label = new QLabel(ToQ(caption), browser);
    label->setObjectName(QString::fromLatin1(labelName));
    edit = new QLineEdit(browser);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setReadOnly(true);
    return label;
  };
  auto* fields = new QGridLayout;
  fields->addWidget(field("Label28", "Adresse ", "Text15", m_frameAddress), 0, 0);
  fields->addWidget(m_frameAddress, 0, 1);
  fields->addWidget(field("Label30", "Frame ", "Text16", m_frameNumber), 1, 0);
  fields->addWidget(m_frameNumber, 1, 1);

  auto button = [this, browser](const char* name, const char* caption, void (MainWindow::*handler)()) {
    QPushButton* b = CommandButton(this, browser, name, caption, handler);
    b->setEnabled(false);
    return b;
  };
  m_previousFrameButton = button("PreviousPicture", "<", &MainWindow::OnPreviousFrameClicked);
  m_nextFrameButton = button("nextpicture", ">", &MainWindow::OnNextFrameClicked);
  m_playButton = button("PlayPicture", "Play", &MainWindow::OnPlayClicked);
  m_pauseButton = button("PausePlay", "Pause", &MainWindow::OnPauseClicked);
  m_stopButton = button("StopPlay", "Stop", &MainWindow::OnStopClicked);
  auto* steps = new QHBoxLayout;
  for (QPushButton* b : {m_previousFrameButton, m_nextFrameButton}) steps->addWidget(b);
  auto* play = new QHBoxLayout;
  for (QPushButton* b : {m_playButton, m_pauseButton, m_stopButton}) play->addWidget(b);

  m_speedSlider = new QSlider(Qt::Horizontal, browser);
  m_speedSlider->setObjectName(QStringLiteral("Slider1"));
  m_speedSlider->setRange(1, kSliderSteps);
  m_speedSlider->setValue(pictures::PictureAnimation::kInitialIntervalMs /
                          pictures::PictureAnimation::kMsPerSliderStep);
  m_speedSlider->setToolTip(ToQ("× 100 ms"));
  connect(m_speedSlider, &QSlider::valueChanged, this, &MainWindow::OnSpeedChanged);
  m_loopCheck = new QCheckBox(ToQ("loop"), browser);
  m_loopCheck->setObjectName(QStringLiteral("RepeatPlay"));
  m_animationTimer = new QTimer(this);
  m_animationTimer->setObjectName(QStringLiteral("Timer2"));
  m_animationTimer->setInterval(m_animation.IntervalMs());
  connect(m_animationTimer, &QTimer::timeout, this, [this] { RunCommand(this, [this] { OnAnimationTimer(); }); });

  auto* layout = new QVBoxLayout(browser);
  layout->addWidget(box);
  layout->addLayout(fields);
  layout->addLayout(steps);
  layout->addLayout(play);
  layout->addWidget(m_speedSlider);
  layout->addWidget(m_loopCheck);
  layout->addStretch();
  return browser;
}

void MainWindow::SyncAnimation() {
  if (m_animation.TimerEnabled() && !m_animationTimer->isActive()) m_animationTimer->start();
  if (!m_animation.TimerEnabled()) m_animationTimer->stop();
  m_playButton->setEnabled(m_animation.PlayEnabled());
  m_pauseButton->setEnabled(m_animation.PauseEnabled());
  m_stopButton->setEnabled(m_animation.StopEnabled());
  m_nextFrameButton->setEnabled(m_animation.StepEnabled());
  m_previousFrameButton->setEnabled(m_animation.StepEnabled());
}

void MainWindow::ShowFrame(int frameIndex) {
  const std::optional<pictures::PictureShape> shape = SelectedPictureShape(true);
  if (!shape) return;
  m_frameAddress->setText(QStringLiteral("0x") + ToQ(image::HexPad(shape->FrameAddress(frameIndex), 0)));
  m_frameNumber->setText(QString::number(frameIndex + 1));
  const pictures::DecodedBmp bmp = pictures::DecodeFrame(m_image.Bytes(), *shape, frameIndex, PicturePalette());
  if (bmp.error == pictures::DecodeError::kUnsupportedDepth) {
    // A running animation stops first: its ticks would pile box on box.
    if (m_animation.TimerEnabled()) {
      m_animation.Stop();
      SyncAnimation();
    }
    Platform::Current().ShowError(this, ToQ(app::kBadBmpFormatText));
    return;
  }
  const QByteArray bytes(reinterpret_cast<const char*>(bmp.bytes.data()), static_cast<qsizetype>(bmp.bytes.size()));
  m_framePicture->setPixmap(QPixmap::fromImage(QImage::fromData(bytes, "BMP")));
}

void MainWindow::OnPictureListClicked() {
  if (!m_image.FileLoaded() || m_pictureList.RowCount() == 0) return;
  const std::optional<pictures::PictureEntry> entry = SelectedPictureEntry();
  if (!entry) return;
  m_animation.SelectPicture(!entry->depth.empty() && entry->depth.back() == '*');
  SyncAnimation();
  ShowFrame(0);
  m_pictureListView->setFocus();
}

void MainWindow::StepPicture(int delta) {
  m_pictureListView->setFocus();
  if (const std::optional<int> frame = m_animation.Step(delta)) ShowFrame(*frame);
}

void MainWindow::OnPlayClicked() {
  m_animation.Play();
  SyncAnimation();
  m_pictureListView->setFocus();
}

void MainWindow::OnPauseClicked() {
  m_animation.Pause();
  SyncAnimation();
  m_pictureListView->setFocus();
}

void MainWindow::OnStopClicked() {
  m_pictureListView->setFocus();
  m_animation.Stop();
  SyncAnimation();
}

void MainWindow::OnSpeedChanged(int value) {
  m_animation.SetSpeed(value);
  m_animationTimer->setInterval(m_animation.IntervalMs());
}

void MainWindow::OnAnimationTimer() {
  const std::optional<pictures::PictureShape> shape = SelectedPictureShape(false);
  if (!shape) return;
  const std::optional<int> frame = m_animation.Tick(shape->count, m_loopCheck->isChecked());
  if (frame) ShowFrame(*frame);
  SyncAnimation();
}

void MainWindow::OnPictureListDoubleClicked() {
  if (!m_image.FileLoaded() || m_pictureList.RowCount() == 0 || m_previewWindow) return;
  const std::optional<pictures::PictureShape> shape = SelectedPictureShape(true);
  if (!shape) return;
  BusyCursor busy;
  m_previewWindow = new PicturePreviewWindow(m_image, *shape, PicturePalette(), this);
  connect(m_previewWindow, &PicturePreviewWindow::Closed, this, &MainWindow::OnPreviewWindowClosed);
  connect(m_previewWindow, &PicturePreviewWindow::FrameClicked, this,
          [this](int frame) { RunCommand(this, [this, frame] { OnPreviewFrameClicked(frame); }); });
  setEnabled(false);
  m_previewWindow->show();
}

void MainWindow::OnPreviewFrameClicked(int selectedFrame) {
  if (m_editorWindow || !m_previewWindow) return;
  m_previewWindow->setEnabled(false);
  setEnabled(false);
  m_editorWindow = new PictureEditorWindow(*this, m_previewWindow, selectedFrame);
  m_editorWindow->show();
}

void MainWindow::OnPreviewWindowClosed() {
  setEnabled(true);
  OnPictureListClicked();
  m_pictureListView->setFocus();
}

}  // namespace korvana::ui
