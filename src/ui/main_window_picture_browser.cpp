// The picture browser of the tab "Bilder": a click on the list shows frame 1
// in Picture2, the step buttons walk the frames, Timer2 animates them, and a
// double click opens all frames in the preview window, whose frames open the
// picture replacement editor.

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
  Picture2 = new QLabel(box);
  Picture2->setObjectName(QStringLiteral("Picture2"));
  Picture2->setMinimumSize(kPictureBoxWidth + 8, kPictureBoxHeight + 8);
  Picture2->setAlignment(Qt::AlignCenter);
  auto* boxLayout = new QVBoxLayout(box);
  boxLayout->addWidget(Picture2, 0, Qt::AlignCenter);

  auto field = [browser](const char* labelName, const char* caption, const char* name, QLineEdit*& edit) {
    auto* label = new QLabel(ToQ(caption), browser);
    label->setObjectName(QString::fromLatin1(labelName));
    edit = new QLineEdit(browser);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setReadOnly(true);
    return label;
  };
  auto* fields = new QGridLayout;
  fields->addWidget(field("Label28", "Adresse ", "Text15", Text15), 0, 0);
  fields->addWidget(Text15, 0, 1);
  fields->addWidget(field("Label30", "Frame ", "Text16", Text16), 1, 0);
  fields->addWidget(Text16, 1, 1);

  auto button = [this, browser](const char* name, const char* caption, void (MainWindow::*handler)()) {
    QPushButton* b = CommandButton(this, browser, name, caption, handler);
    b->setEnabled(false);
    return b;
  };
  PreviousPicture = button("PreviousPicture", "<", &MainWindow::PreviousPicture_Click);
  nextpicture = button("nextpicture", ">", &MainWindow::nextpicture_Click);
  PlayPicture = button("PlayPicture", "Play", &MainWindow::PlayPicture_Click);
  PausePlay = button("PausePlay", "Pause", &MainWindow::PausePlay_Click);
  StopPlay = button("StopPlay", "Stop", &MainWindow::StopPlay_Click);
  auto* steps = new QHBoxLayout;
  for (QPushButton* b : {PreviousPicture, nextpicture}) steps->addWidget(b);
  auto* play = new QHBoxLayout;
  for (QPushButton* b : {PlayPicture, PausePlay, StopPlay}) play->addWidget(b);

  Slider1 = new QSlider(Qt::Horizontal, browser);
  Slider1->setObjectName(QStringLiteral("Slider1"));
  Slider1->setRange(1, kSliderSteps);
  Slider1->setValue(pictures::PictureAnimation::kInitialIntervalMs / pictures::PictureAnimation::kMsPerSliderStep);
  Slider1->setToolTip(ToQ("× 100 ms"));
  connect(Slider1, &QSlider::valueChanged, this, &MainWindow::Slider1_Change);
  RepeatPlay = new QCheckBox(ToQ("loop"), browser);
  RepeatPlay->setObjectName(QStringLiteral("RepeatPlay"));
  Timer2 = new QTimer(this);
  Timer2->setObjectName(QStringLiteral("Timer2"));
  Timer2->setInterval(m_animation.IntervalMs());
  connect(Timer2, &QTimer::timeout, this, [this] { RunCommand(this, [this] { Timer2_Timer(); }); });

  auto* layout = new QVBoxLayout(browser);
  layout->addWidget(box);
  layout->addLayout(fields);
  layout->addLayout(steps);
  layout->addLayout(play);
  layout->addWidget(Slider1);
  layout->addWidget(RepeatPlay);
  layout->addStretch();
  return browser;
}

void MainWindow::SyncAnimation() {
  if (m_animation.TimerEnabled() && !Timer2->isActive()) Timer2->start();
  if (!m_animation.TimerEnabled()) Timer2->stop();
  PlayPicture->setEnabled(m_animation.PlayEnabled());
  PausePlay->setEnabled(m_animation.PauseEnabled());
  StopPlay->setEnabled(m_animation.StopEnabled());
  nextpicture->setEnabled(m_animation.StepEnabled());
  PreviousPicture->setEnabled(m_animation.StepEnabled());
}

void MainWindow::ShowFrame(int frameIndex) {
  const std::optional<pictures::PictureEntry> entry = SelectedPictureEntry();
  if (!entry) return;
  const pictures::ParsedPicture parsed = pictures::ParsePictureEntry(*entry);
  if (!parsed.Ok()) {
    ShowOutcome(Outcome::Failure(parsed.message, parsed.detail));
    return;
  }
  Text15->setText(QStringLiteral("0x") + ToQ(image::HexPad(parsed.shape.FrameAddress(frameIndex), 0)));
  Text16->setText(QString::number(frameIndex + 1));
  const pictures::DecodedBmp bmp = pictures::DecodeFrame(m_image.Bytes(), parsed.shape, frameIndex, PicturePalette());
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
  Picture2->setPixmap(QPixmap::fromImage(QImage::fromData(bytes, "BMP")));
}

void MainWindow::ListView5_Click() {
  if (!m_image.FileLoaded() || m_pictureList.RowCount() == 0) return;
  const std::optional<pictures::PictureEntry> entry = SelectedPictureEntry();
  if (!entry) return;
  m_animation.SelectPicture(!entry->depth.empty() && entry->depth.back() == '*');
  SyncAnimation();
  ShowFrame(0);
  ListView5->setFocus();
}

void MainWindow::StepPicture(int delta) {
  ListView5->setFocus();
  if (const std::optional<int> frame = m_animation.Step(delta)) ShowFrame(*frame);
}

void MainWindow::PlayPicture_Click() {
  m_animation.Play();
  SyncAnimation();
  ListView5->setFocus();
}

void MainWindow::PausePlay_Click() {
  m_animation.Pause();
  SyncAnimation();
  ListView5->setFocus();
}

void MainWindow::StopPlay_Click() {
  ListView5->setFocus();
  m_animation.Stop();
  SyncAnimation();
}

void MainWindow::Slider1_Change(int value) {
  m_animation.SetSpeed(value);
  Timer2->setInterval(m_animation.IntervalMs());
}

void MainWindow::Timer2_Timer() {
  const std::optional<pictures::PictureEntry> entry = SelectedPictureEntry();
  if (!entry) return;
  const pictures::ParsedPicture parsed = pictures::ParsePictureEntry(*entry);
  if (!parsed.Ok()) return;
  const std::optional<int> frame = m_animation.Tick(parsed.shape.count, RepeatPlay->isChecked());
  if (frame) ShowFrame(*frame);
  SyncAnimation();
}

void MainWindow::ListView5_DblClick() {
  if (!m_image.FileLoaded() || m_pictureList.RowCount() == 0 || m_form2) return;
  const std::optional<pictures::PictureEntry> entry = SelectedPictureEntry();
  if (!entry) return;
  const pictures::ParsedPicture parsed = pictures::ParsePictureEntry(*entry);
  if (!parsed.Ok()) {
    ShowOutcome(Outcome::Failure(parsed.message, parsed.detail));
    return;
  }
  BusyCursor busy;
  m_form2 = new PicturePreviewWindow(m_image, parsed.shape, PicturePalette(), this);
  connect(m_form2, &PicturePreviewWindow::Unloaded, this, &MainWindow::Form2_Unload);
  connect(m_form2, &PicturePreviewWindow::FrameClicked, this,
          [this](int frame) { RunCommand(this, [this, frame] { Form2_FrameClicked(frame); }); });
  setEnabled(false);
  m_form2->show();
}

void MainWindow::Form2_FrameClicked(int selectedFrame) {
  if (m_form3 || !m_form2) return;
  m_form2->setEnabled(false);
  setEnabled(false);
  m_form3 = new PictureEditorWindow(*this, m_form2, selectedFrame);
  m_form3->show();
}

void MainWindow::Form2_Unload() {
  setEnabled(true);
  ListView5_Click();
  ListView5->setFocus();
}

}  // namespace korvana::ui
