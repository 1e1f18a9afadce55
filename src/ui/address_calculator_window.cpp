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
  Label1 = new QLabel(ToQ("Startadr. "), this);
  Label3 = new QLabel(ToQ("0x"), this);
  Text1 = new QLineEdit(this);
  Label2 = new QLabel(ToQ("Größe Byte"), this);
  Text2 = new QLineEdit(this);
  Command2 = new QPushButton(ToQ("..."), this);
  Command2->setToolTip(ToQ("Wähle ton oder bin Datei     "));
  Command2->setFixedWidth(Command2->fontMetrics().horizontalAdvance(Command2->text()) + 24);
  Command1 = new QPushButton(ToQ("Nächste? "), this);
  named(Label1, "Label1");
  named(Label2, "Label2");
  named(Label3, "Label3");
  named(Text1, "Text1");
  named(Text2, "Text2");
  named(Command1, "Command1");
  named(Command2, "Command2");

  auto* grid = new QGridLayout(this);
  grid->addWidget(Label1, 0, 0);
  grid->addWidget(Label3, 0, 1, Qt::AlignRight);
  grid->addWidget(Text1, 0, 2);
  grid->addWidget(Label2, 1, 0);
  grid->addWidget(Text2, 1, 2);
  grid->addWidget(Command2, 1, 3);
  grid->addWidget(Command1, 2, 2, 1, 2);
  connect(Command1, &QPushButton::clicked, this, &AddressCalculatorWindow::Command1_Click);
  connect(Command2, &QPushButton::clicked, this, &AddressCalculatorWindow::Command2_Click);
  resize(300, 120);
}

void AddressCalculatorWindow::Command1_Click() {
  RunCommand(this, [this] {
    const tools::NextAddress next = tools::NextAddressAfter(FromQ(Text1->text()), FromQ(Text2->text()));
    if (next.outcome.ok) {
      Text1->setText(ToQ(next.text));  // Text2 keeps its value: each click advances by it again
    } else {
      Platform::Current().ShowMessage(this, next.outcome.message);
    }
  });
}

void AddressCalculatorWindow::Command2_Click() {
  const QString path = Platform::Current().OpenFileName(this, ToQ(m_main.Folders().MobileFilePath),
                                                        app::kToneOrBinFilter);
  if (path.isEmpty()) return;
  if (const auto size = tools::SizeTextOfFile(FromQ(path))) Text2->setText(ToQ(*size));
}

void AddressCalculatorWindow::closeEvent(QCloseEvent* event) {
  event->accept();
  m_main.ToolWindowClosed(QString());
}

}  // namespace korvana::ui
