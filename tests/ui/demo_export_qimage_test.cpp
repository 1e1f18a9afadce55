// The demo's pictures on the command line's road: every frame exported by
// "korvana-cli pictures export" is a BMP that Qt's own reader shows with
// exactly the pixels the generator drew.

#include <QImage>
#include <QTest>

#include <filesystem>

#include "demo/demo_firmware.h"
#include "support/test_support.h"
#include "ui_test_registry.h"

namespace korvana::ui::test {

class DemoExportQImageTest : public QObject {
  Q_OBJECT

 private slots:
  void everyExportedFrameShowsTheDrawnPixels() {
    korvana::test::TempDir dir;
    const auto made = korvana::test::RunCli({"demo", dir.Path("demo")});
    QCOMPARE(made.status, 0);
    std::filesystem::create_directories(dir.Path("bmp"));
    const auto exported = korvana::test::RunCli(
        {"pictures", "export", dir.Path("demo/demo.bin"), dir.Path("demo/demo-bilder.txt"), dir.Path("bmp")});
    QCOMPARE(exported.status, 0);

    const demo::DemoFirmware demo = demo::BuildDemoFirmware();
    int checked = 0;
    for (const demo::DemoPicture& picture : demo.pictures) {
      for (std::size_t f = 0; f < picture.frames.size(); ++f) {
        const std::string name = picture.name + "-" + (f < 9 ? "0" : "") + std::to_string(f + 1) + ".bmp";
        const QImage image(QString::fromStdString(dir.Path("bmp/" + name)), "BMP");
        QVERIFY2(!image.isNull(), name.c_str());
        const demo::DemoFrame& frame = picture.frames[f];
        QCOMPARE(image.width(), static_cast<int>(frame.width));
        QCOMPARE(image.height(), static_cast<int>(frame.height));
        for (int y = 0; y < image.height(); ++y) {
          for (int x = 0; x < image.width(); ++x) {
            const demo::Rgb& p = frame.At(x, y);
            if (image.pixelColor(x, y) != QColor(p.r, p.g, p.b)) {
              QFAIL(qPrintable(QString("%1 pixel %2,%3").arg(QString::fromStdString(name)).arg(x).arg(y)));
            }
          }
        }
        ++checked;
      }
    }
    QCOMPARE(checked, 15);
  }
};

static RegisterSuite<DemoExportQImageTest> reg;

}  // namespace korvana::ui::test

#include "demo_export_qimage_test.moc"
