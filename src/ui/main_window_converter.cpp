// The tab "s3Datei": whole files from bin to S-record and back, independent
// of the loaded handset file.

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>

#include <optional>

#include "app/shared_texts.h"
#include "app/status_texts.h"
#include "image/file_read.h"
#include "image/hex.h"
#include "image/path.h"
#include "image/srecord_converter.h"
#include "ui/main_window.h"
#include "ui/platform.h"
#include "ui/progress_loop.h"
#include "ui/widget_helpers.h"

namespace korvana::ui {

namespace {
constexpr const char* kS3ToBinCaption = "s3->bin";

}  // namespace

void MainWindow::BuildConverterTab(QWidget* page) {
  auto* layout = new QHBoxLayout(page);
  layout->addWidget(BuildBinToS3Frame(page), 1, Qt::AlignTop);
  layout->addWidget(BuildS3ToBinFrame(page), 1, Qt::AlignTop);

  connect(m_openBinFileButton, &QPushButton::clicked, this, &MainWindow::OnOpenBinFileClicked);
  connect(m_binToS3Button, &QPushButton::clicked, this, &MainWindow::OnBinToS3Clicked);
  connect(m_allAddressesOption, &QRadioButton::clicked, this, &MainWindow::OnAllAddressesClicked);
  connect(m_partAddressesOption, &QRadioButton::clicked, this, &MainWindow::OnPartAddressesClicked);
  connect(m_fillDataOption, &QRadioButton::clicked, this, &MainWindow::OnFillDataClicked);
  connect(m_openS3FileButton, &QPushButton::clicked, this, &MainWindow::OnOpenS3FileClicked);
  connect(m_s3ToBinButton, &QPushButton::clicked, this, &MainWindow::OnS3ToBinClicked);
  connect(m_imageLayoutOption, &QRadioButton::clicked, this, &MainWindow::OnImageLayoutClicked);
  connect(m_packedLayoutOption, &QRadioButton::clicked, this, &MainWindow::OnPackedLayoutClicked);

  m_allAddressesOption->setChecked(true);
  OnAllAddressesClicked();
  m_imageLayoutOption->setChecked(true);
  OnImageLayoutClicked();
}

QGroupBox* MainWindow::BuildBinToS3Frame(QWidget* page) {
  m_binToS3Frame = Named(new QGroupBox(ToQ("Bin(*.bin)->Moto(*.s3)"), page), "FrameBinToS3");
  auto* column = new QVBoxLayout(m_binToS3Frame);

  auto* fileRow = new QHBoxLayout;
  m_binPath = Named(new QLineEdit(m_binToS3Frame), "Text19");
  m_openBinFileButton = Named(new QPushButton(ToQ("öffne bin  "), m_binToS3Frame), "OpenBinFile");
  fileRow->addWidget(m_binPath, 1);
  fileRow->addWidget(m_openBinFileButton);
  column->addLayout(fileRow);

  auto* range = Named(new QGroupBox(ToQ("s3 Adressbereich "), m_binToS3Frame), "FrameS3Range");
  auto* options = new QHBoxLayout(range);
  m_allAddressesOption = Named(new QRadioButton(ToQ("alles "), range), "AllAddressOption");
  m_partAddressesOption = Named(new QRadioButton(ToQ("teilw.  "), range), "PartAddressOption");
  m_fillDataOption = Named(new QRadioButton(ToQ("füllen  "), range), "FillDataOption");
  options->addWidget(m_allAddressesOption);
  options->addWidget(m_partAddressesOption);
  options->addWidget(m_fillDataOption);
  column->addWidget(range);

  auto* fields = new QGridLayout;
  const std::array<const char*, 3> captions{"Startadr. ", "Stopadr.  ", "belegte   "};
  const std::array<const char*, 3> labelNames{"LabelText18", "LabelText17", "LabelText20"};
  m_binStartAddress = Named(new QLineEdit(m_binToS3Frame), "Text18");
  m_binStopAddress = Named(new QLineEdit(m_binToS3Frame), "Text17");
  m_binFillByte = Named(new QLineEdit(QStringLiteral("00"), m_binToS3Frame), "Text20");
  const std::array<QLineEdit*, 3> edits{m_binStartAddress, m_binStopAddress, m_binFillByte};
  for (std::size_t i = 0; i < edits.size(); ++i) {
    m_addressLabels[i] = Named(new QLabel(ToQ(captions[i]), m_binToS3Frame), labelNames[i]);
    fields->addWidget(m_addressLabels[i], static_cast<int>(i), 0);
    fields->addWidget(edits[i], static_cast<int>(i), 1);
  }
  column->addLayout(fields);

  m_binToS3Button = Named(new QPushButton(ToQ("bin->s3"), m_binToS3Frame), "ComBinToS3");
  column->addWidget(m_binToS3Button);
  return m_binToS3Frame;
}

QGroupBox* MainWindow::BuildS3ToBinFrame(QWidget* page) {
  auto* frame = Named(new QGroupBox(ToQ("Moto(*.s3,*.sre)->Bin(*.bin)"), page), "FrameS3ToBin");
  auto* column = new QVBoxLayout(frame);

  auto* fileRow = new QHBoxLayout;
  m_s3Path = Named(new QLineEdit(frame), "Text1");
  m_openS3FileButton = Named(new QPushButton(ToQ("öffne s3  "), frame), "OpenS3File");
  fileRow->addWidget(m_s3Path, 1);
  fileRow->addWidget(m_openS3FileButton);
  column->addLayout(fileRow);

  m_binRangeFrame = Named(new QGroupBox(ToQ("bin Adressbereich    "), frame), "FrameBinRange");
  auto* options = new QHBoxLayout(m_binRangeFrame);
  m_imageLayoutOption = Named(new QRadioButton(ToQ("alles inkl. leer"), m_binRangeFrame), "AllAdd");
  m_packedLayoutOption = Named(new QRadioButton(ToQ("teilweise  "), m_binRangeFrame), "PartAdd");
  options->addWidget(m_imageLayoutOption);
  options->addWidget(m_packedLayoutOption);
  column->addWidget(m_binRangeFrame);

  // The fill byte and its label sit in a row of their own, so that the row can be
  // locked during a conversion without losing the state the options gave them.
  m_fillRow = new QWidget(frame);
  auto* fillLayout = new QHBoxLayout(m_fillRow);
  fillLayout->setContentsMargins(0, 0, 0, 0);
  m_s3FillByteLabel = Named(new QLabel(ToQ("belegte Daten:"), m_fillRow), "LabelText3");
  m_s3FillByte = Named(new QLineEdit(QStringLiteral("00"), m_fillRow), "Text3");
  fillLayout->addWidget(m_s3FillByteLabel);
  fillLayout->addWidget(m_s3FillByte, 1);
  column->addWidget(m_fillRow);

  m_s3ToBinButton = Named(new QPushButton(ToQ(kS3ToBinCaption), frame), "ComS3ToBin");
  column->addWidget(m_s3ToBinButton);
  m_conversionAddress = Named(new QLineEdit(frame), "Text2");
  m_conversionAddress->setReadOnly(true);
  m_conversionAddress->hide();
  column->addWidget(m_conversionAddress);
  m_conversionProgress = Named(new QProgressBar(frame), "ProgressBar3");
  m_conversionProgress->hide();
  column->addWidget(m_conversionProgress);
  return frame;
}

void MainWindow::SetAddressInputsEnabled(bool enabled) {
  for (QLineEdit* edit : {m_binStartAddress, m_binStopAddress, m_binFillByte}) edit->setEnabled(enabled);
  for (QLabel* label : m_addressLabels) label->setEnabled(enabled);
}

void MainWindow::OnAllAddressesClicked() {
  SetAddressInputsEnabled(false);
  m_openBinFileButton->setEnabled(true);
}

void MainWindow::OnPartAddressesClicked() {
  SetAddressInputsEnabled(true);
  m_openBinFileButton->setEnabled(true);
}

void MainWindow::OnFillDataClicked() {
  SetAddressInputsEnabled(true);
  m_openBinFileButton->setEnabled(false);
}

void MainWindow::OnImageLayoutClicked() {
  m_s3FillByte->setEnabled(true);
  m_s3FillByteLabel->setEnabled(true);
}

void MainWindow::OnPackedLayoutClicked() {
  m_s3FillByte->setEnabled(false);
  m_s3FillByteLabel->setEnabled(false);
}

void MainWindow::OnOpenBinFileClicked() {
  const QString path = Platform::Current().OpenFileName(this, StartFolder(m_folders.MobileFilePath), app::kBinFilter);
  if (path.isEmpty()) return;
  m_binPath->setText(path);
  m_folders.MobileFilePath = image::FolderOf(FromQ(path));
}

void MainWindow::OnOpenS3FileClicked() {
  const QString path = Platform::Current().OpenFileName(this, StartFolder(m_folders.S3SavePath), app::kS3Filter);
  if (path.isEmpty()) return;
  m_s3Path->setText(path);
  m_folders.S3SavePath = image::FolderOf(FromQ(path));
}

void MainWindow::OnBinToS3Clicked() {
  RunCommand(this, [this] {
    image::BinToS3Request request{FromQ(m_binPath->text()), image::S3AddressMode::kAll,
                                  FromQ(m_binStartAddress->text()), FromQ(m_binStopAddress->text()),
                                  FromQ(m_binFillByte->text())};
    if (m_partAddressesOption->isChecked()) request.mode = image::S3AddressMode::kPart;
    if (m_fillDataOption->isChecked()) request.mode = image::S3AddressMode::kFill;
    if (const Outcome checked = image::CheckBinToS3(request); !checked.ok) return ShowOutcome(checked);

    const QString out = Platform::Current().SaveFileName(this, StartFolder(m_folders.S3SavePath), app::kS3Filter);
    if (out.isEmpty()) return;
    const std::string path = FromQ(out);
    m_folders.S3SavePath = image::FolderOf(path);
    Outcome written;
    {
      BusyCursor busy;
      written = image::ConvertBinToS3(request, path);
    }
    ShowStatus(app::PatchStatus(written, 0, app::CountedThing::kTone));
    ShowOutcome(written);
  });
}

void MainWindow::OnS3ToBinClicked() {
  if (!m_converterIdle) {
    m_converterIdle = true;
    m_s3ToBinButton->setText(ToQ(kS3ToBinCaption));
    return;
  }
  RunCommand(this, [this] {
    const image::S3ToBinRequest request{
        FromQ(m_s3Path->text()),
        m_imageLayoutOption->isChecked() ? image::BinLayout::kImage : image::BinLayout::kPacked,
        FromQ(m_s3FillByte->text())};
    if (const Outcome checked = image::CheckS3ToBin(request); !checked.ok) return ShowOutcome(checked);

    const QString out = Platform::Current().SaveFileName(this, StartFolder(m_folders.S3SavePath), app::kBinFilter);
    if (out.isEmpty()) return;
    const std::string path = FromQ(out);
    m_folders.S3SavePath = image::FolderOf(path);

    // The window is unlocked again however the conversion ends.
    struct Running {
      explicit Running(MainWindow* form) : m_form(form) { m_form->SetConverterRunning(true); }
      ~Running() { m_form->SetConverterRunning(false); }
      Running(const Running&) = delete;
      Running& operator=(const Running&) = delete;
      MainWindow* m_form;
    };
    std::optional<Running> running(std::in_place, this);
    image::ConversionStatus status;
    m_conversionProgress->setRange(
        0, static_cast<int>(image::S3ProgressMaximum(image::FileSizeOf(request.s3Path).value_or(0))));
    m_conversionProgress->setValue(1);
    ProgressThrottle throttle(ProgressThrottle::First::kAtOnce);
    const Outcome converted = image::ConvertS3ToBin(
        request, path,
        [this, &status, &throttle](std::int64_t line) {
          if (throttle.Due()) {
            m_conversionProgress->setValue(static_cast<int>(line));
            m_conversionAddress->setText(QStringLiteral("0x") + ToQ(image::HexPad(status.address, 8)));
            LetEventsRun();
          }
          return !m_converterIdle;
        },
        &status);
    running.reset();
    // A stopped conversion ends without a message.
    if (converted.message != msg::kNone) ShowOutcome(converted);
  });
}

void MainWindow::SetConverterRunning(bool running) {
  m_converterIdle = !running;
  m_s3ToBinButton->setText(running ? QString() : ToQ(kS3ToBinCaption));
  for (QWidget* widget : std::initializer_list<QWidget*>{menuBar(), m_toolbar, m_tabs->tabBar(), m_binToS3Frame,
                                                         m_s3Path, m_openS3FileButton, m_binRangeFrame, m_fillRow}) {
    widget->setEnabled(!running);
  }
  if (!running) m_conversionProgress->setValue(0);
  m_conversionAddress->clear();
  m_conversionAddress->setVisible(running);
  m_conversionProgress->setVisible(running);
}

}  // namespace korvana::ui
