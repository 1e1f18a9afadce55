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
#include "image/file_read.h"
#include "image/hex.h"
#include "image/path.h"
#include "image/srecord_converter.h"
#include "ui/main_window.h"
#include "ui/platform.h"
#include "ui/widget_helpers.h"

namespace korvana::ui {

namespace {
constexpr const char* kS3ToBinCaption = "s3->bin";

}  // namespace

void MainWindow::BuildConverterTab(QWidget* page) {
  auto* layout = new QHBoxLayout(page);
  layout->addWidget(BuildBinToS3Frame(page), 1, Qt::AlignTop);
  layout->addWidget(BuildS3ToBinFrame(page), 1, Qt::AlignTop);

  connect(OpenBinFile, &QPushButton::clicked, this, &MainWindow::OpenBinFile_Click);
  connect(ComBinToS3, &QPushButton::clicked, this, &MainWindow::ComBinToS3_Click);
  connect(AllAddressOption, &QRadioButton::clicked, this, &MainWindow::AllAddressOption_Click);
  connect(PartAddressOption, &QRadioButton::clicked, this, &MainWindow::PartAddressOption_Click);
  connect(FillDataOption, &QRadioButton::clicked, this, &MainWindow::FillDataOption_Click);
  connect(OpenS3File, &QPushButton::clicked, this, &MainWindow::OpenS3File_Click);
  connect(ComS3ToBin, &QPushButton::clicked, this, &MainWindow::ComS3ToBin_Click);
  connect(AllAdd, &QRadioButton::clicked, this, &MainWindow::AllAdd_Click);
  connect(PartAdd, &QRadioButton::clicked, this, &MainWindow::PartAdd_Click);

  AllAddressOption->setChecked(true);
  AllAddressOption_Click();
  AllAdd->setChecked(true);
  AllAdd_Click();
}

QGroupBox* MainWindow::BuildBinToS3Frame(QWidget* page) {
  m_binToS3Frame = Named(new QGroupBox(ToQ("Bin(*.bin)->Moto(*.s3)"), page), "FrameBinToS3");
  auto* column = new QVBoxLayout(m_binToS3Frame);

  auto* fileRow = new QHBoxLayout;
  Text19 = Named(new QLineEdit(m_binToS3Frame), "Text19");
  OpenBinFile = Named(new QPushButton(ToQ("öffne bin  "), m_binToS3Frame), "OpenBinFile");
  fileRow->addWidget(Text19, 1);
  fileRow->addWidget(OpenBinFile);
  column->addLayout(fileRow);

  auto* range = Named(new QGroupBox(ToQ("s3 Adressbereich "), m_binToS3Frame), "FrameS3Range");
  auto* options = new QHBoxLayout(range);
  AllAddressOption = Named(new QRadioButton(ToQ("alles "), range), "AllAddressOption");
  PartAddressOption = Named(new QRadioButton(ToQ("teilw.  "), range), "PartAddressOption");
  FillDataOption = Named(new QRadioButton(ToQ("füllen  "), range), "FillDataOption");
  options->addWidget(AllAddressOption);
  options->addWidget(PartAddressOption);
  options->addWidget(FillDataOption);
  column->addWidget(range);

  auto* fields = new QGridLayout;
  const std::array<const char*, 3> captions{"Startadr. ", "Stopadr.  ", "belegte   "};
  const std::array<const char*, 3> labelNames{"LabelText18", "LabelText17", "LabelText20"};
  Text18 = Named(new QLineEdit(m_binToS3Frame), "Text18");
  Text17 = Named(new QLineEdit(m_binToS3Frame), "Text17");
  Text20 = Named(new QLineEdit(QStringLiteral("00"), m_binToS3Frame), "Text20");
  const std::array<QLineEdit*, 3> edits{Text18, Text17, Text20};
  for (std::size_t i = 0; i < edits.size(); ++i) {
    m_addressLabels[i] = Named(new QLabel(ToQ(captions[i]), m_binToS3Frame), labelNames[i]);
    fields->addWidget(m_addressLabels[i], static_cast<int>(i), 0);
    fields->addWidget(edits[i], static_cast<int>(i), 1);
  }
  column->addLayout(fields);

  ComBinToS3 = Named(new QPushButton(ToQ("bin->s3"), m_binToS3Frame), "ComBinToS3");
  column->addWidget(ComBinToS3);
  return m_binToS3Frame;
}

QGroupBox* MainWindow::BuildS3ToBinFrame(QWidget* page) {
  auto* frame = Named(new QGroupBox(ToQ("Moto(*.s3,*.sre)->Bin(*.bin)"), page), "FrameS3ToBin");
  auto* column = new QVBoxLayout(frame);

  auto* fileRow = new QHBoxLayout;
  Text1 = Named(new QLineEdit(frame), "Text1");
  OpenS3File = Named(new QPushButton(ToQ("öffne s3  "), frame), "OpenS3File");
  fileRow->addWidget(Text1, 1);
  fileRow->addWidget(OpenS3File);
  column->addLayout(fileRow);

  m_binRangeFrame = Named(new QGroupBox(ToQ("bin Adressbereich    "), frame), "FrameBinRange");
  auto* options = new QHBoxLayout(m_binRangeFrame);
  AllAdd = Named(new QRadioButton(ToQ("alles inkl. leer"), m_binRangeFrame), "AllAdd");
  PartAdd = Named(new QRadioButton(ToQ("teilweise  "), m_binRangeFrame), "PartAdd");
  options->addWidget(AllAdd);
  options->addWidget(PartAdd);
  column->addWidget(m_binRangeFrame);

  // Text3 and its label sit in a row of their own, so that the row can be
  // locked during a conversion without losing the state the options gave them.
  m_fillRow = new QWidget(frame);
  auto* fillLayout = new QHBoxLayout(m_fillRow);
  fillLayout->setContentsMargins(0, 0, 0, 0);
  m_text3Label = Named(new QLabel(ToQ("belegte Daten:"), m_fillRow), "LabelText3");
  Text3 = Named(new QLineEdit(QStringLiteral("00"), m_fillRow), "Text3");
  fillLayout->addWidget(m_text3Label);
  fillLayout->addWidget(Text3, 1);
  column->addWidget(m_fillRow);

  ComS3ToBin = Named(new QPushButton(ToQ(kS3ToBinCaption), frame), "ComS3ToBin");
  column->addWidget(ComS3ToBin);
  Text2 = Named(new QLineEdit(frame), "Text2");
  Text2->setReadOnly(true);
  Text2->hide();
  column->addWidget(Text2);
  ProgressBar3 = Named(new QProgressBar(frame), "ProgressBar3");
  ProgressBar3->hide();
  column->addWidget(ProgressBar3);
  return frame;
}

void MainWindow::SetAddressInputsEnabled(bool enabled) {
  for (QLineEdit* edit : {Text18, Text17, Text20}) edit->setEnabled(enabled);
  for (QLabel* label : m_addressLabels) label->setEnabled(enabled);
}

void MainWindow::AllAddressOption_Click() {
  SetAddressInputsEnabled(false);
  OpenBinFile->setEnabled(true);
}

void MainWindow::PartAddressOption_Click() {
  SetAddressInputsEnabled(true);
  OpenBinFile->setEnabled(true);
}

void MainWindow::FillDataOption_Click() {
  SetAddressInputsEnabled(true);
  OpenBinFile->setEnabled(false);
}

void MainWindow::AllAdd_Click() {
  Text3->setEnabled(true);
  m_text3Label->setEnabled(true);
}

void MainWindow::PartAdd_Click() {
  Text3->setEnabled(false);
  m_text3Label->setEnabled(false);
}

void MainWindow::OpenBinFile_Click() {
  const QString path = Platform::Current().OpenFileName(this, ToQ(m_folders.MobileFilePath), app::kBinFilter);
  if (path.isEmpty()) return;
  Text19->setText(path);
  m_folders.MobileFilePath = image::FolderOf(FromQ(path));
}

void MainWindow::OpenS3File_Click() {
  const QString path = Platform::Current().OpenFileName(this, ToQ(m_folders.S3SavePath), app::kS3Filter);
  if (path.isEmpty()) return;
  Text1->setText(path);
  m_folders.S3SavePath = image::FolderOf(FromQ(path));
}

void MainWindow::ComBinToS3_Click() {
  RunCommand(this, [this] {
    image::BinToS3Request request{FromQ(Text19->text()), image::S3AddressMode::kAll, FromQ(Text18->text()),
                                  FromQ(Text17->text()), FromQ(Text20->text())};
    if (PartAddressOption->isChecked()) request.mode = image::S3AddressMode::kPart;
    if (FillDataOption->isChecked()) request.mode = image::S3AddressMode::kFill;
    if (const Outcome checked = image::CheckBinToS3(request); !checked.ok) return ShowOutcome(checked);

    const QString out = Platform::Current().SaveFileName(this, ToQ(m_folders.S3SavePath), app::kS3Filter);
    if (out.isEmpty()) return;
    const std::string path = FromQ(out);
    m_folders.S3SavePath = image::FolderOf(path);
    Outcome written;
    {
      BusyCursor busy;
      written = image::ConvertBinToS3(request, path);
    }
    ShowOutcome(written);
  });
}

void MainWindow::ComS3ToBin_Click() {
  if (!ConverterIdle) {
    ConverterIdle = true;
    ComS3ToBin->setText(ToQ(kS3ToBinCaption));
    return;
  }
  RunCommand(this, [this] {
    const image::S3ToBinRequest request{FromQ(Text1->text()),
                                        AllAdd->isChecked() ? image::BinLayout::kImage : image::BinLayout::kPacked,
                                        FromQ(Text3->text())};
    if (const Outcome checked = image::CheckS3ToBin(request); !checked.ok) return ShowOutcome(checked);

    const QString out = Platform::Current().SaveFileName(this, ToQ(m_folders.S3SavePath), app::kBinFilter);
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
    ProgressBar3->setRange(
        0, static_cast<int>(image::S3ProgressMaximum(image::FileSizeOf(request.s3Path).value_or(0))));
    ProgressBar3->setValue(1);
    const Outcome converted = image::ConvertS3ToBin(
        request, path,
        [this, &status](std::int64_t line) {
          ProgressBar3->setValue(static_cast<int>(line));
          Text2->setText(QStringLiteral("0x") + ToQ(image::HexPad(status.address, 8)));
          LetEventsRun();
          return !ConverterIdle;
        },
        &status);
    running.reset();
    // A stopped conversion ends without a message.
    if (converted.message != msg::kNone) ShowOutcome(converted);
  });
}

void MainWindow::SetConverterRunning(bool running) {
  ConverterIdle = !running;
  ComS3ToBin->setText(running ? QString() : ToQ(kS3ToBinCaption));
  for (QWidget* widget : std::initializer_list<QWidget*>{menuBar(), Toolbar1, SSTab1->tabBar(), m_binToS3Frame,
                                                          Text1, OpenS3File, m_binRangeFrame, m_fillRow}) {
    widget->setEnabled(!running);
  }
  if (!running) ProgressBar3->setValue(0);
  Text2->clear();
  Text2->setVisible(running);
  ProgressBar3->setVisible(running);
}

}  // namespace korvana::ui
