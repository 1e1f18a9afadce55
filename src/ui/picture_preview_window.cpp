#include "ui/picture_preview_window.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPixmap>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>

#include "app/shared_texts.h"
#include "pictures/picture_animation.h"
#include "ui/list_adapter.h"
#include "ui/platform.h"

namespace korvana::ui {

namespace {
// A preview box: a picture that acts on a click.
class FrameBox : public QLabel {
 public:
  FrameBox(int index, std::function<void(int)> onClick, QWidget* parent)
      : QLabel(parent), m_index(index), m_onClick(std::move(onClick)) {
    setObjectName(QStringLiteral("Picture2"));
    setProperty("Index", index);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setCursor(Qt::PointingHandCursor);
  }

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton) m_onClick(m_index);
  }

 private:
  int m_index;
  std::function<void(int)> m_onClick;
};

QRect PixelsOf(const pictures::PreviewBox& box) {
  return {Pixels(box.left), Pixels(box.top), Pixels(box.width), Pixels(box.height)};
}
}  // namespace

PicturePreviewWindow::PicturePreviewWindow(const image::HandsetImage& image, const pictures::PictureShape& shape,
                                           const pictures::Palette16& palette, QWidget* owner)
    : QWidget(nullptr, Qt::Window), m_image(image), m_shape(shape), m_palette(palette) {
  setObjectName(QStringLiteral("Form2"));
  setWindowTitle(QStringLiteral("List"));
  setAttribute(Qt::WA_DeleteOnClose);
  if (owner != nullptr) connect(owner, &QObject::destroyed, this, [this] { delete this; });
  BuildFrameGrid();
}

void PicturePreviewWindow::BuildFrameGrid() {
  const int count = static_cast<int>(std::clamp<std::int64_t>(m_shape.count, 0, kMaxPreviewFrames));
  const pictures::PreviewGrid grid = pictures::PreviewGridOf(count);
  auto* canvas = new QWidget;
  canvas->setObjectName(QStringLiteral("PreviewCanvas"));
  canvas->setFixedSize(Pixels(grid.windowWidth), Pixels(grid.windowHeight));
  for (int i = 1; i <= count; ++i) {
    auto* box = new FrameBox(i, [this](int clicked) { OnFrameBoxClicked(clicked); }, canvas);
    box->setGeometry(PixelsOf(pictures::PreviewBoxOf(i)));
    m_frameBoxes.push_back(box);
  }
  bool unsupportedShown = false;
  for (int i = 1; i <= count; ++i) {
    if (DrawFrame(i) == pictures::DecodeError::kUnsupportedDepth && !unsupportedShown) {
      // Once for the window rather than once for each of its boxes.
      Platform::Current().ShowError(this, ToQ(app::kBadBmpFormatText));
      unsupportedShown = true;
    }
  }

  auto* scroll = new QScrollArea(this);
  scroll->setWidget(canvas);
  scroll->setFrameShape(QFrame::NoFrame);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(scroll);
  int height = canvas->height();
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    height = std::min(height, screen->availableGeometry().height() * 9 / 10);
  }
  resize(canvas->width() + (height < canvas->height() ? 20 : 0), height);
}

void PicturePreviewWindow::ReloadFrame(int i) {
  if (i >= 1 && i <= BoxCount()) DrawFrame(i);
}

pictures::DecodeError PicturePreviewWindow::DrawFrame(int i) {
  const pictures::DecodedBmp bmp = pictures::DecodeFrame(m_image.Bytes(), m_shape, i - 1, m_palette);
  if (!bmp.Ok()) return bmp.error;
  const QByteArray bytes(reinterpret_cast<const char*>(bmp.bytes.data()), static_cast<qsizetype>(bmp.bytes.size()));
  const QImage picture = QImage::fromData(bytes, "BMP");
  // A box shows the top left of a picture larger than itself.
  QLabel* box = Box(i);
  box->setPixmap(QPixmap::fromImage(
      picture.copy(0, 0, std::min(picture.width(), box->width()), std::min(picture.height(), box->height()))));
  return pictures::DecodeError::kNone;
}

void PicturePreviewWindow::OnFrameBoxClicked(int i) {
  m_selectedFrame = i;
  emit FrameClicked(i);
}

void PicturePreviewWindow::closeEvent(QCloseEvent* event) {
  emit Closed();
  event->accept();
}

}  // namespace korvana::ui
