// The tab "RM": two pictures that open the developer's and the makers' pages.

#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>

#include "ui/main_window.h"
#include "ui/platform.h"

namespace korvana::ui {

namespace {
// A label that acts on a click, with the cross pointer over it.
class LinkPicture : public QLabel {
 public:
  LinkPicture(const QString& name, const QPixmap& picture, std::function<void()> onClick, QWidget* parent)
      : QLabel(parent), m_onClick(std::move(onClick)) {
    setObjectName(name);
    setPixmap(picture);
    setCursor(Qt::CrossCursor);
  }

 protected:
  void mouseReleaseEvent(QMouseEvent*) override { m_onClick(); }

 private:
  std::function<void()> m_onClick;
};

QPixmap DrawBadge(const QString& title, const QString& subtitle, const QColor& colour) {
  QPixmap pixmap(240, 120);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setBrush(colour);
  p.setPen(Qt::NoPen);
  p.drawRoundedRect(pixmap.rect().adjusted(2, 2, -2, -2), 14, 14);
  p.setPen(Qt::white);
  QFont font = p.font();
  font.setPointSize(18);
  font.setBold(true);
  p.setFont(font);
  p.drawText(QRect(0, 16, 240, 50), Qt::AlignCenter, title);
  font.setPointSize(10);
  font.setBold(false);
  p.setFont(font);
  p.drawText(QRect(0, 66, 240, 40), Qt::AlignCenter, subtitle);
  return pixmap;
}
}  // namespace

void MainWindow::BuildLinksTab(QWidget* page) {
  auto* frame = new QGroupBox(page);
  frame->setObjectName(QStringLiteral("Frame3"));
  auto* row = new QHBoxLayout(frame);
  row->addWidget(new LinkPicture(QStringLiteral("Image1"),
                                 DrawBadge(QStringLiteral("KORVANA"), ToQ("Hersteller · 制作者"), QColor(0x2E, 0x6D, 0xB4)),
                                 [this] { OnMakersPageClicked(); }, frame));
  row->addWidget(new LinkPicture(QStringLiteral("Image2"),
                                 DrawBadge(QStringLiteral("Pelzo"), ToQ("Entwickler · 开发者"), QColor(0x3C, 0x8D, 0x5A)),
                                 [this] { OnDeveloperPageClicked(); }, frame));
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(frame);
  layout->addStretch();
}

}  // namespace korvana::ui
