
#include "image/srecord_converter.h"
#include "ui_helpers.h"

namespace korvana::ui::test {

using korvana::test::ReadBytes;

class MainWindowConverterTest : public QObject {
  Q_OBJECT

 private slots:
  // The conversions are the core's; here the fields, the dialogs and the messages.
  void binToS3WritesTheChosenRangeOrRefuses() {
    Editor e;
    korvana::test::WriteBytes(e.Path("in.bin"), korvana::test::BytesOf("0123456789ABCDEFGHIJ"));
    auto* go = e.Get<QPushButton>("ComBinToS3");
    go->click();  // no bin file named: refused before any dialog
    QCOMPARE(e.platform.messages, std::vector<int>{31});
    e.platform.paths = {Q(e.Path("in.bin")), Q(e.Path("all.s3"))};
    e.Click("OpenBinFile");
    QCOMPARE(e.Get<QLineEdit>("Text19")->text(), Q(e.Path("in.bin")));
    go->click();
    QCOMPARE(e.platform.messages, (std::vector<int>{31, 10}));
    QCOMPARE(e.form.Folders().S3SavePath, e.Path());
    QCOMPARE(korvana::test::ReadText(e.Path("all.s3")).substr(18, 16), std::string("S315000000003031"));

    e.Get<QRadioButton>("PartAddressOption")->click();
    for (const char* field : {"Text18", "Text17"}) e.Get<QLineEdit>(field)->setText(QStringLiteral("1000"));
    e.platform.paths = {Q(e.Path("part.s3"))};
    go->click();  // stop not above start: after the dialog, and nothing written
    QCOMPARE(e.platform.messages.back(), 30);
    QVERIFY(e.platform.paths.empty() && !QFile::exists(Q(e.Path("part.s3"))));
    e.Get<QLineEdit>("Text20")->setText(QStringLiteral("100"));
    go->click();  // a fill value above FF overflows before any dialog
    QCOMPARE(e.platform.errors, QStringList{QStringLiteral("Overflow")});
  }

  void s3ToBinConvertsTheImageLayoutAndReportsBadFiles() {
    Editor e;
    auto* go = e.Get<QPushButton>("ComS3ToBin");
    go->click();
    QCOMPARE(e.platform.messages, std::vector<int>{24});
    korvana::test::WriteText(e.Path("in.s3"), "S00600004844521B\r\nS30700000010ABCD70\r\nS705A002000058\r\n");
    e.platform.paths = {Q(e.Path("in.s3")), Q(e.Path("image.bin"))};
    e.Click("OpenS3File");
    e.Get<QLineEdit>("Text3")->setText(QStringLiteral("ff"));
    go->click();
    const std::vector<std::uint8_t> image = ReadBytes(e.Path("image.bin"));
    QVERIFY(image.size() == 18 && image[0] == 0xFF);
    QCOMPARE(e.platform.messages, (std::vector<int>{24, 23}));

    korvana::test::WriteText(e.Path("in.s3"), "S30700000010ABCD71\r\n");
    e.platform.paths = {Q(e.Path("bad.bin"))};
    go->click();
    QCOMPARE(e.platform.messages.back(), 22);
    QVERIFY(!QFile::exists(Q(e.Path("bad.bin"))));
    QVERIFY(go->text() == QStringLiteral("s3->bin") && e.Get<QProgressBar>("ProgressBar3")->isHidden());
  }

  void aSecondClickStopsTheConversionAndKeepsWhatWasConverted() {
    Editor e;
    // Far more lines than go between two looks at the stop button.
    std::vector<std::uint8_t> data(16 * 8 * image::kConversionProgressLines);
    for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<std::uint8_t>(i * 7);
    korvana::test::WriteBytes(e.Path("in.bin"), data);
    QVERIFY(image::ConvertBinToS3({e.Path("in.bin"), image::S3AddressMode::kAll, "", "", "0"}, e.Path("in.s3")).ok);

    e.Get<QLineEdit>("Text1")->setText(Q(e.Path("in.s3")));
    e.platform.paths = {Q(e.Path("out.bin"))};
    auto* go = e.Get<QPushButton>("ComS3ToBin");
    // While the conversion runs the button is the stop, everything else is locked, and progress shows.
    auto locked = [&] {
      return go->isEnabled() && !e.Get<QGroupBox>("FrameBinToS3")->isEnabled() && !e.Get<QLineEdit>("Text1")->isEnabled() &&
             !e.form.menuBar()->isEnabled() && !e.form.Tabs()->tabBar()->isEnabled() &&
             !e.Get<QProgressBar>("ProgressBar3")->isHidden();
    };
    bool clicked = false;
    QTimer::singleShot(0, &e.form, [&] {
      QVERIFY(locked());
      QCOMPARE(go->text(), QString());
      QCOMPARE(e.Get<QLineEdit>("Text2")->text(), QStringLiteral("0x00003FF0"));
      QCOMPARE(e.Get<QProgressBar>("ProgressBar3")->value(), 1025);
      go->click();
      clicked = true;
    });
    go->click();
    QVERIFY(clicked && e.platform.messages.empty());
    const std::vector<std::uint8_t> kept = ReadBytes(e.Path("out.bin"));
    QCOMPARE(kept.size(), static_cast<std::size_t>(16 * image::kConversionProgressLines));
    QVERIFY(std::equal(kept.begin(), kept.end(), data.begin()));
    QCOMPARE(go->text(), QStringLiteral("s3->bin"));
    QVERIFY(e.Get<QLineEdit>("Text2")->isHidden() && e.Get<QProgressBar>("ProgressBar3")->isHidden());
    QVERIFY(e.Get<QGroupBox>("FrameBinToS3")->isEnabled() && e.form.menuBar()->isEnabled() &&
            e.form.Tabs()->tabBar()->isEnabled());

    // Closing the window during a conversion stops it and keeps the window.
    e.platform.paths = {Q(e.Path("closed.bin"))};
    bool closeRefused = false;
    QTimer::singleShot(0, &e.form, [&] { closeRefused = !e.form.close(); });
    go->click();
    QVERIFY(closeRefused && e.platform.messages.empty());
    QCOMPARE(ReadBytes(e.Path("closed.bin")).size(), static_cast<std::size_t>(16 * image::kConversionProgressLines));

  }
};

static RegisterSuite<MainWindowConverterTest> registerMainWindowConverterTest;

}  // namespace korvana::ui::test

#include "main_window_converter_test.moc"
