#include "ui/address_calculator_window.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/shared_texts.h"
#include "tools/address_calculator.h"
#include "ui/main_window.h"
#include "ui/platform.h"

namespace korvana::ui {

AddressCalculatorWindow::AddressCalculatorWindow(MainWindow& main) : QWidget(nullptr, Qt::Window), m_main(main) {
  setObjectName(QStringLiteral("Form7"));
  setWindowTitle(ToQ("Adressrechner   "));
  setAttribute(Qt::WA_DeleteOnClose);
  auto named = [](QWidget* w, const char* name) {
    w->setObjectName(QString::fromLatin1(name));
    return w;
  };
  m_startLabel = new QLabel(ToQ("Startadr. "), this);
  m_hexPrefixLabel = new QLabel(ToQ("0x"), this);
  m_startAddress = new QLineEdit(this);
  m_sizeLabel = new QLabel(ToQ("Größe Byte"), this);
  m_blockSize = new QLineEdit(this);
  m_sizeFromFileButton = new QPushButton(ToQ("..."), this);
  m_sizeFromFileButton->setToolTip(ToQ("Wähle ton oder bin Datei     "));
  m_sizeFromFileButton->setFixedWidth(
      m_sizeFromFileButton->fontMetrics().horizontalAdvance(m_sizeFromFileButton->text()) + 24);
  m_nextButton = new QPushButton(ToQ("Nächste? "), this);
  named(m_startLabel, "Label1");
  named(m_sizeLabel, "Label2");
  named(m_hexPrefixLabel, "Label3");
  named(m_startAddress, "Text1");
  named(m_blockSize, "Text2");
  named(m_nextButton, "Command1");
  named(m_sizeFromFileButton, "Command2");

  auto* grid = new QGridLayout(this);
  grid->addWidget(m_startLabel, 0, 0);
  grid->addWidget(m_hexPrefixLabel, 0, 1, Qt::AlignRight);
  grid->addWidget(m_startAddress, 0, 2);
  grid->addWidget(m_sizeLabel, 1, 0);
  grid->addWidget(m_blockSize, 1, 2);
  grid->addWidget(m_sizeFromFileButton, 1, 3);
  grid->addWidget(m_nextButton, 2, 2, 1, 2);
  connect(m_nextButton, &QPushButton::clicked, this, &AddressCalculatorWindow::OnNextClicked);
  connect(m_sizeFromFileButton, &QPushButton::clicked, this, &AddressCalculatorWindow::OnChooseFileClicked);
  resize(300, 120);
}

void AddressCalculatorWindow::OnNextClicked() {
  RunCommand(this, [this] {
    const tools::NextAddress next = tools::NextAddressAfter(FromQ(m_startAddress->text()), FromQ(m_blockSize->text()));
    if (next.outcome.ok) {
      m_startAddress->setText(ToQ(next.text));  // the size stays: each click advances by it again
    } else {
      Platform::Current().ShowMessage(this, next.outcome.message);
    }
  });
}

void AddressCalculatorWindow::OnChooseFileClicked() {
  const QString path = Platform::Current().OpenFileName(this, ToQ(m_main.Folders().MobileFilePath),
                                                        app::kToneOrBinFilter);
  if (path.isEmpty()) return;
  if (const auto size = tools::SizeTextOfFile(FromQ(path))) m_blockSize->setText(ToQ(*size));
}

void AddressCalculatorWindow::closeEvent(QCloseEvent* event) {
  event->accept();
  m_main.ToolWindowClosed(QString());
}

}  // namespace korvana::ui
