#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTest>
#include <QTimer>

#include "image/srecord_converter.h"
#include "ui_helpers.h"
#include "ui_test_registry.h"

namespace korvana::ui::test {

using korvana::test::ReadBytes;

class MainWindowConverterTest : public QObject {
  Q_OBJECT

 private slots:
  void theRangeOptionsEnableTheirInputs() {
    Editor e;
    const QObject* form = &e.form;
    QVERIFY(Find<QRadioButton>(form, "AllAddressOption")->isChecked());
    QVERIFY(Find<QRadioButton>(form, "AllAdd")->isChecked());
    QVERIFY(Find<QLineEdit>(form, "Text2")->isHidden());
    QVERIFY(Find<QProgressBar>(form, "ProgressBar3")->isHidden());

    // 1 when the start, stop and fill inputs and their labels are all
    // enabled, 0 when all are disabled, -1 when they disagree.
    auto inputsEnabled = [&] {
      int on = 0;
      for (const char* name : {"Text18", "Text17", "Text20", "LabelText18", "LabelText17", "LabelText20"}) {
        on += Find<QWidget>(form, name)->isEnabled() ? 1 : 0;
      }
      return on == 6 ? 1 : on == 0 ? 0 : -1;
    };
    auto* openBin = Find<QPushButton>(form, "OpenBinFile");
    const std::tuple<const char*, int, bool> steps[] = {
        {"FillDataOption", 1, false}, {"PartAddressOption", 1, true}, {"AllAddressOption", 0, true}};
    QVERIFY(inputsEnabled() == 0 && openBin->isEnabled());
    for (const auto& [option, inputs, open] : steps) {
      Find<QRadioButton>(form, option)->click();
      QCOMPARE(inputsEnabled(), inputs);
      QCOMPARE(openBin->isEnabled(), open);
    }
    Find<QRadioButton>(form, "PartAdd")->click();
    QVERIFY(!Find<QLineEdit>(form, "Text3")->isEnabled() && !Find<QLabel>(form, "LabelText3")->isEnabled());
    Find<QRadioButton>(form, "AllAdd")->click();
    QVERIFY(Find<QLineEdit>(form, "Text3")->isEnabled() && Find<QLabel>(form, "LabelText3")->isEnabled());
  }

  // The conversions are the core's; here the fields, the dialogs and the messages.
  void binToS3WritesTheChosenRangeOrRefuses() {
    Editor e;
    korvana::test::WriteBytes(e.Path("in.bin"), korvana::test::BytesOf("0123456789ABCDEFGHIJ"));
    auto* go = Find<QPushButton>(&e.form, "ComBinToS3");
    go->click();  // no bin file named: refused before any dialog
    QCOMPARE(e.platform.messages, std::vector<int>{31});

    e.platform.paths = {Q(e.Path("in.bin")), Q(e.Path("all.s3"))};
    Find<QPushButton>(&e.form, "OpenBinFile")->click();
    QCOMPARE(Find<QLineEdit>(&e.form, "Text19")->text(), Q(e.Path("in.bin")));
    go->click();
    QCOMPARE(e.platform.messages, (std::vector<int>{31, 10}));
    QCOMPARE(e.form.Folders().S3SavePath, e.Path());
    QCOMPARE(korvana::test::ReadText(e.Path("all.s3")).substr(18, 16), std::string("S315000000003031"));

    Find<QRadioButton>(&e.form, "PartAddressOption")->click();
    Find<QLineEdit>(&e.form, "Text18")->setText(QStringLiteral("1000"));
    Find<QLineEdit>(&e.form, "Text17")->setText(QStringLiteral("1000"));
    e.platform.paths = {Q(e.Path("part.s3"))};
    go->click();  // stop not above start: after the dialog, and nothing written
    QCOMPARE(e.platform.messages.back(), 30);
    QVERIFY(e.platform.paths.empty() && !QFile::exists(Q(e.Path("part.s3"))));
    Find<QLineEdit>(&e.form, "Text20")->setText(QStringLiteral("100"));
    go->click();  // a fill value above FF overflows before any dialog
    QCOMPARE(e.platform.errors, QStringList{QStringLiteral("Overflow")});
  }

  void s3ToBinConvertsBothLayoutsAndReportsBadFiles() {
    Editor e;
    auto* go = Find<QPushButton>(&e.form, "ComS3ToBin");
    go->click();
    QCOMPARE(e.platform.messages, std::vector<int>{24});

    korvana::test::WriteText(e.Path("in.s3"), "S00600004844521B\r\nS30700000010ABCD70\r\nS705A002000058\r\n");
    e.platform.paths = {Q(e.Path("in.s3")), Q(e.Path("image.bin")), Q(e.Path("packed.bin"))};
    Find<QPushButton>(&e.form, "OpenS3File")->click();
    Find<QLineEdit>(&e.form, "Text3")->setText(QStringLiteral("ff"));
    go->click();
    QCOMPARE(ReadBytes(e.Path("image.bin")).size(), std::size_t{18});
    QCOMPARE(ReadBytes(e.Path("image.bin"))[0], std::uint8_t{0xFF});
    Find<QRadioButton>(&e.form, "PartAdd")->click();
    go->click();
    QCOMPARE(ReadBytes(e.Path("packed.bin")), (std::vector<std::uint8_t>{0xAB, 0xCD}));
    QCOMPARE(e.platform.messages, (std::vector<int>{24, 23, 23}));

    korvana::test::WriteText(e.Path("in.s3"), "S30700000010ABCD71\r\n");
    e.platform.paths = {Q(e.Path("bad.bin"))};
    go->click();
    QCOMPARE(e.platform.messages.back(), 22);
    QVERIFY(!QFile::exists(Q(e.Path("bad.bin"))));
    QCOMPARE(go->text(), QStringLiteral("s3->bin"));
    QVERIFY(Find<QProgressBar>(&e.form, "ProgressBar3")->isHidden());
  }

  void aSecondClickStopsTheConversionAndKeepsWhatWasConverted() {
    Editor e;
    // Far more lines than go between two looks at the stop button.
    std::vector<std::uint8_t> data(16 * 8 * image::kConversionProgressLines);
    for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<std::uint8_t>(i * 7);
    korvana::test::WriteBytes(e.Path("in.bin"), data);
    QVERIFY(image::ConvertBinToS3({e.Path("in.bin"), image::S3AddressMode::kAll, "", "", "0"}, e.Path("in.s3")).ok);

    Find<QLineEdit>(&e.form, "Text1")->setText(Q(e.Path("in.s3")));
    e.platform.paths = {Q(e.Path("out.bin"))};
    auto* go = Find<QPushButton>(&e.form, "ComS3ToBin");
    bool clicked = false;
    QTimer::singleShot(0, &e.form, [&] {
      // While the conversion runs: the button is the stop, everything else is locked.
      QCOMPARE(go->text(), QString());
      QVERIFY(go->isEnabled());
      QVERIFY(!Find<QGroupBox>(&e.form, "FrameBinToS3")->isEnabled());
      QVERIFY(!Find<QLineEdit>(&e.form, "Text1")->isEnabled());
      QVERIFY(!e.form.menuBar()->isEnabled());
      QVERIFY(!e.form.Tabs()->tabBar()->isEnabled());
      QCOMPARE(Find<QLineEdit>(&e.form, "Text2")->text(), QStringLiteral("0x00003FF0"));
      QVERIFY(!Find<QProgressBar>(&e.form, "ProgressBar3")->isHidden());
      QCOMPARE(Find<QProgressBar>(&e.form, "ProgressBar3")->value(), 1025);
      go->click();
      clicked = true;
    });
    go->click();
    QVERIFY(clicked);
    QVERIFY(e.platform.messages.empty());
    const std::vector<std::uint8_t> kept = ReadBytes(e.Path("out.bin"));
    QCOMPARE(kept.size(), static_cast<std::size_t>(16 * image::kConversionProgressLines));
    QVERIFY(std::equal(kept.begin(), kept.end(), data.begin()));
    QCOMPARE(go->text(), QStringLiteral("s3->bin"));
    QVERIFY(Find<QLineEdit>(&e.form, "Text2")->isHidden());
    QVERIFY(Find<QProgressBar>(&e.form, "ProgressBar3")->isHidden());
    QVERIFY(Find<QGroupBox>(&e.form, "FrameBinToS3")->isEnabled());
    QVERIFY(e.form.menuBar()->isEnabled() && e.form.Tabs()->tabBar()->isEnabled());

    // Closing the window during a conversion stops it and keeps the window.
    e.platform.paths = {Q(e.Path("closed.bin"))};
    bool closeRefused = false;
    QTimer::singleShot(0, &e.form, [&] { closeRefused = !e.form.close(); });
    go->click();
    QVERIFY(closeRefused);
    QVERIFY(e.platform.messages.empty());
    QCOMPARE(ReadBytes(e.Path("closed.bin")).size(), static_cast<std::size_t>(16 * image::kConversionProgressLines));

    // The next click runs a whole conversion again.
    e.platform.paths = {Q(e.Path("out.bin"))};
    go->click();
    QCOMPARE(e.platform.messages, std::vector<int>{23});
    QCOMPARE(ReadBytes(e.Path("out.bin")), data);
  }
};

static RegisterSuite<MainWindowConverterTest> registerMainWindowConverterTest;

}  // namespace korvana::ui::test

#include "main_window_converter_test.moc"
