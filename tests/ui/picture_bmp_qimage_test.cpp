// The BMPs that the decoders write, read back by an
// independent reader (Qt's) with their sizes and pixel colours.

#include <QImage>
#include <QTest>

#include "pictures/stored_picture_format.h"
#include "ui_test_registry.h"

namespace korvana::ui::test {

namespace {
QImage Load(const std::vector<std::uint8_t>& bmp) {
  return QImage::fromData(QByteArray(reinterpret_cast<const char*>(bmp.data()), static_cast<qsizetype>(bmp.size())),
                          "BMP");
}
}  // namespace

class PictureBmpQImageTest : public QObject {
  Q_OBJECT

 private slots:
  void everyDepthLoadsUprightWithItsColours() {
    using Pixel = std::tuple<int, int, QColor>;
    const QColor red(255, 0, 0), green(0, 255, 0), blue(0, 0, 255), white(Qt::white);
    pictures::Palette16 palette{};  // entry 2 = (blue 1, green 2, red 3)
    palette[8] = 1, palette[9] = 2, palette[10] = 3;
    const std::vector<std::uint8_t> packed{0x09, 0x02, 0x1F, 0x00, 0x00, 0xF8, 0xC3, 0x01,
                                           0x02, 0xE0, 0x07, 0xE0, 0x07, 0x81, 0x01, 0x00};
    const struct {
      std::vector<std::uint8_t> bmp;
      QSize size;
      std::vector<Pixel> pixels;
    } cases[] = {
        // Depth 24, 3 x 2: rows top first.
        {pictures::DecodePicture(std::vector<std::uint8_t>{0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255, 0, 0, 0,
                                                           10, 20, 30},
                                 0, 3, 2, 24, {}).bytes,
         {3, 2}, {{0, 0, red}, {2, 0, blue}, {2, 1, QColor(30, 20, 10)}}},
        // Depth 16, 3 x 1 (odd width: padded rows): F800, 07E0, 001F.
        {pictures::DecodePicture(std::vector<std::uint8_t>{0x00, 0xF8, 0xE0, 0x07, 0x1F, 0x00}, 0, 3, 1, 16, {}).bytes,
         {3, 1}, {{0, 0, red}, {1, 0, green}, {2, 0, blue}}},
        // Depth 8, 1 x 2: E3 (red and blue full) above 1C (green full).
        {pictures::DecodePicture(std::vector<std::uint8_t>{0xE3, 0x1C}, 0, 1, 2, 8, {}).bytes,
         {1, 2}, {{0, 0, QColor(255, 0, 255)}, {0, 1, green}}},
        // Depth 12, 3 x 1: F00 0F0 00F.
        {pictures::DecodePicture(std::vector<std::uint8_t>{0xF0, 0x00, 0xF0, 0x00, 0xF0}, 0, 3, 1, 12, {}).bytes,
         {3, 1}, {{0, 0, red}, {1, 0, green}, {2, 0, blue}}},
        // Depth 4, 2 x 1 through the palette.
        {pictures::DecodePicture(std::vector<std::uint8_t>{0x20}, 0, 2, 1, 4, palette).bytes,
         {2, 1}, {{0, 0, QColor(3, 2, 1)}, {1, 0, QColor(0, 0, 0)}}},
        // Compressed, 3 x 2, with its word 0001 shown white.
        {pictures::DecodeCompressedPicture(packed, 0, 3, 2).bytes,
         {3, 2}, {{2, 0, red}, {0, 1, green}, {2, 1, white}}},
    };
    for (const auto& c : cases) {
      const QImage img = Load(c.bmp);
      QCOMPARE(img.size(), c.size);
      for (const auto& [x, y, colour] : c.pixels) QCOMPARE(img.pixelColor(x, y), colour);
    }

    // Depth 1, 9 x 9: a diagonal; 1-bit rows wider than one byte.
    std::vector<std::uint8_t> pages(18, 0);
    for (int x = 0; x < 8; ++x) pages[static_cast<std::size_t>(x)] = static_cast<std::uint8_t>(1 << x);
    pages[9 + 8] = 1;
    const QImage mono = Load(pictures::DecodeMonoPicture(pages, 0, 9, 9).bytes);
    QCOMPARE(mono.size(), QSize(9, 9));
    for (int y = 0; y < 9; ++y) {
      for (int x = 0; x < 9; ++x) QCOMPARE(mono.pixelColor(x, y), x == y ? QColor(Qt::black) : white);
    }
  }
};

static RegisterSuite<PictureBmpQImageTest> registerPictureBmpQImageTest;

}  // namespace korvana::ui::test

#include "picture_bmp_qimage_test.moc"
