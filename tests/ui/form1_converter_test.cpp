#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include "fake_platform.h"
#include "image/srecord_converter.h"
#include "support/test_support.h"
#include "ui/form1.h"
#include "ui_test_registry.h"

namespace korvana::ui::test {

using korvana::test::ReadBytes;
using korvana::test::TempDir;

namespace {
template <typename W>
W* Find(Form1& form, const char* name) {
  W* w = form.findChild<W*>(QString::fromLatin1(name));
  if (w == nullptr) qFatal("no widget %s", name);
  return w;
}

QString Q(const std::string& s) { return QString::fromStdString(s); }
}  // namespace

class Form1ConverterTest : public QObject {
  Q_OBJECT

 private slots:
  void captionsDefaultsAndOptionEnabling() {
    TempDir dir;
    FakePlatform platform;
    Form1 form(dir.Path());
    const std::pair<const char*, const char*> texts[] = {
        {"FrameBinToS3", "Bin(*.bin)->Moto(*.s3)"}, {"OpenBinFile", "öffne bin  "}, {"ComBinToS3", "bin->s3"},
        {"FrameS3Range", "s3 Adressbereich "},      {"AllAddressOption", "alles "}, {"PartAddressOption", "teilw.  "},
        {"FillDataOption", "füllen  "},             {"LabelText18", "Startadr. "}, {"LabelText17", "Stopadr.  "},
        {"LabelText20", "belegte   "},              {"Text20", "00"},              {"Text19", ""},
        {"FrameS3ToBin", "Moto(*.s3,*.sre)->Bin(*.bin)"}, {"OpenS3File", "öffne s3  "}, {"ComS3ToBin", "s3->bin"},
        {"FrameBinRange", "bin Adressbereich    "}, {"AllAdd", "alles inkl. leer"}, {"PartAdd", "teilweise  "},
        {"LabelText3", "belegte Daten:"},           {"Text3", "00"},               {"Text1", ""}};
    for (const auto& [name, text] : texts) {
      auto* widget = Find<QWidget>(form, name);
      const char* property = qobject_cast<QGroupBox*>(widget) != nullptr ? "title" : "text";
      QCOMPARE(widget->property(property).toString(), QString::fromUtf8(text));
    }
    QVERIFY(Find<QRadioButton>(form, "AllAddressOption")->isChecked());
    QVERIFY(Find<QRadioButton>(form, "AllAdd")->isChecked());
    QVERIFY(Find<QLineEdit>(form, "Text2")->isHidden());
    QVERIFY(Find<QProgressBar>(form, "ProgressBar3")->isHidden());

    // 1 when the start, stop and fill inputs and their labels are all
    // enabled, 0 when all are disabled, -1 when they disagree.
    auto inputsEnabled = [&] {
      std::vector<bool> states;
      for (const char* name : {"Text18", "Text17", "Text20"}) states.push_back(Find<QLineEdit>(form, name)->isEnabled());
      for (const char* name : {"LabelText18", "LabelText17", "LabelText20"}) {
        states.push_back(Find<QLabel>(form, name)->isEnabled());
      }
      if (std::all_of(states.begin(), states.end(), [](bool b) { return b; })) return 1;
      return std::none_of(states.begin(), states.end(), [](bool b) { return b; }) ? 0 : -1;
    };
    auto* openBin = Find<QPushButton>(form, "OpenBinFile");
    QVERIFY(inputsEnabled() == 0 && openBin->isEnabled());
    Find<QRadioButton>(form, "FillDataOption")->click();
    QVERIFY(inputsEnabled() == 1 && !openBin->isEnabled());
    Find<QRadioButton>(form, "PartAddressOption")->click();
    QVERIFY(inputsEnabled() == 1 && openBin->isEnabled());
    Find<QRadioButton>(form, "AllAddressOption")->click();
    QVERIFY(inputsEnabled() == 0 && openBin->isEnabled());

    QVERIFY(Find<QLineEdit>(form, "Text3")->isEnabled());
    Find<QRadioButton>(form, "PartAdd")->click();
    QVERIFY(!Find<QLineEdit>(form, "Text3")->isEnabled() && !Find<QLabel>(form, "LabelText3")->isEnabled());
    Find<QRadioButton>(form, "AllAdd")->click();
    QVERIFY(Find<QLineEdit>(form, "Text3")->isEnabled() && Find<QLabel>(form, "LabelText3")->isEnabled());
  }

  void binToS3WritesTheChosenRangeOrRefuses() {
    TempDir dir;
    FakePlatform platform;
    Form1 form(dir.Path());
    korvana::test::WriteBytes(dir.Path("in.bin"), korvana::test::BytesOf("0123456789ABCDEFGHIJ"));
    auto* go = Find<QPushButton>(form, "ComBinToS3");

    go->click();  // no bin file named: refused before any dialog
    QCOMPARE(platform.messages, std::vector<int>{31});

    platform.paths = {Q(dir.Path("in.bin")), Q(dir.Path("all.s3"))};
    Find<QPushButton>(form, "OpenBinFile")->click();
    QCOMPARE(Find<QLineEdit>(form, "Text19")->text(), Q(dir.Path("in.bin")));
    QCOMPARE(form.Folders().MobileFilePath, dir.Path());
    go->click();
    QCOMPARE(platform.messages, (std::vector<int>{31, 10}));
    QCOMPARE(form.Folders().S3SavePath, dir.Path());
    QCOMPARE(korvana::test::ReadText(dir.Path("all.s3")),
             std::string("S00600004844521B\r\nS315000000003031323334353637383941424344454648\r\n"
                         "S309000000104748494AC4\r\nS705A002000058\r\n"));

    Find<QRadioButton>(form, "PartAddressOption")->click();
    Find<QLineEdit>(form, "Text18")->setText(QStringLiteral("1000"));
    Find<QLineEdit>(form, "Text17")->setText(QStringLiteral("1000"));
    platform.paths = {Q(dir.Path("part.s3"))};
    go->click();  // stop not above start: after the dialog, and nothing written
    QCOMPARE(platform.messages.back(), 30);
    QVERIFY(platform.paths.empty());
    QVERIFY(!QFile::exists(Q(dir.Path("part.s3"))));

    Find<QLineEdit>(form, "Text20")->setText(QStringLiteral("100"));
    go->click();  // a fill value above FF overflows before any dialog
    QCOMPARE(platform.errors, QStringList{QStringLiteral("Overflow")});
  }

  void s3ToBinConvertsBothLayoutsAndReportsBadFiles() {
    TempDir dir;
    FakePlatform platform;
    Form1 form(dir.Path());
    auto* go = Find<QPushButton>(form, "ComS3ToBin");
    go->click();
    QCOMPARE(platform.messages, std::vector<int>{24});

    korvana::test::WriteText(dir.Path("in.s3"), "S00600004844521B\r\nS30700000010ABCD70\r\nS705A002000058\r\n");
    platform.paths = {Q(dir.Path("in.s3")), Q(dir.Path("image.bin")), Q(dir.Path("packed.bin"))};
    Find<QPushButton>(form, "OpenS3File")->click();
    Find<QLineEdit>(form, "Text3")->setText(QStringLiteral("ff"));
    go->click();
    QVERIFY(platform.lastOverwritePrompt);
    std::vector<std::uint8_t> image(16, 0xFF);
    image.insert(image.end(), {0xAB, 0xCD});
    QCOMPARE(ReadBytes(dir.Path("image.bin")), image);
    Find<QRadioButton>(form, "PartAdd")->click();
    go->click();
    QCOMPARE(ReadBytes(dir.Path("packed.bin")), (std::vector<std::uint8_t>{0xAB, 0xCD}));
    QCOMPARE(platform.messages, (std::vector<int>{24, 23, 23}));

    korvana::test::WriteText(dir.Path("in.s3"), "S30700000010ABCD71\r\n");
    platform.paths = {Q(dir.Path("bad.bin"))};
    go->click();
    QCOMPARE(platform.messages.back(), 22);
    QVERIFY(!QFile::exists(Q(dir.Path("bad.bin"))));
    QCOMPARE(go->text(), QStringLiteral("s3->bin"));
    QVERIFY(Find<QProgressBar>(form, "ProgressBar3")->isHidden());
  }

  void aSecondClickStopsTheConversionAndKeepsWhatWasConverted() {
    TempDir dir;
    FakePlatform platform;
    Form1 form(dir.Path());
    // Far more lines than go between two looks at the stop button.
    std::vector<std::uint8_t> data(16 * 8 * image::kConversionProgressLines);
    for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<std::uint8_t>(i * 7);
    korvana::test::WriteBytes(dir.Path("in.bin"), data);
    QVERIFY(image::ConvertBinToS3({dir.Path("in.bin"), image::S3AddressMode::kAll, "", "", "0"}, dir.Path("in.s3")).ok);

    Find<QLineEdit>(form, "Text1")->setText(Q(dir.Path("in.s3")));
    platform.paths = {Q(dir.Path("out.bin"))};
    auto* go = Find<QPushButton>(form, "ComS3ToBin");
    bool clicked = false;
    QTimer::singleShot(0, &form, [&] {
      // While the conversion runs: the button is the stop, everything else is locked.
      QCOMPARE(go->text(), QString());
      QVERIFY(go->isEnabled());
      QVERIFY(!Find<QGroupBox>(form, "FrameBinToS3")->isEnabled());
      QVERIFY(!Find<QLineEdit>(form, "Text1")->isEnabled());
      QVERIFY(!Find<QRadioButton>(form, "PartAdd")->isEnabled());
      QVERIFY(!form.menuBar()->isEnabled());
      QVERIFY(!form.Tabs()->tabBar()->isEnabled());
      QVERIFY(!Find<QLineEdit>(form, "Text2")->isHidden());
      QCOMPARE(Find<QLineEdit>(form, "Text2")->text(), QStringLiteral("0x00003FF0"));
      QVERIFY(!Find<QProgressBar>(form, "ProgressBar3")->isHidden());
      QCOMPARE(Find<QProgressBar>(form, "ProgressBar3")->value(), 1025);
      go->click();
      clicked = true;
    });
    go->click();
    QVERIFY(clicked);
    QVERIFY(platform.messages.empty());
    const std::vector<std::uint8_t> kept = ReadBytes(dir.Path("out.bin"));
    QCOMPARE(kept.size(), static_cast<std::size_t>(16 * image::kConversionProgressLines));
    QVERIFY(std::equal(kept.begin(), kept.end(), data.begin()));
    QCOMPARE(go->text(), QStringLiteral("s3->bin"));
    QVERIFY(Find<QLineEdit>(form, "Text2")->isHidden());
    QVERIFY(Find<QProgressBar>(form, "ProgressBar3")->isHidden());
    QVERIFY(Find<QGroupBox>(form, "FrameBinToS3")->isEnabled());
    QVERIFY(form.menuBar()->isEnabled() && form.Tabs()->tabBar()->isEnabled());
    QVERIFY(Find<QLineEdit>(form, "Text3")->isEnabled());

    // Closing the window during a conversion stops it and keeps the window.
    platform.paths = {Q(dir.Path("closed.bin"))};
    bool closeRefused = false;
    QTimer::singleShot(0, &form, [&] { closeRefused = !form.close(); });
    go->click();
    QVERIFY(closeRefused);
    QVERIFY(platform.messages.empty());
    QCOMPARE(ReadBytes(dir.Path("closed.bin")).size(), static_cast<std::size_t>(16 * image::kConversionProgressLines));

    // The next click runs a whole conversion again.
    platform.paths = {Q(dir.Path("out.bin"))};
    go->click();
    QCOMPARE(platform.messages, std::vector<int>{23});
    QCOMPARE(ReadBytes(dir.Path("out.bin")), data);
  }
};

static RegisterSuite<Form1ConverterTest> registerForm1ConverterTest;

}  // namespace korvana::ui::test

#include "form1_converter_test.moc"
