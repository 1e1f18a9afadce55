#pragma once
// The address calculator "Adressrechner": the first address after a block of
// a typed size or of a chosen file's size. It reads and changes nothing but its two fields.

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

namespace korvana::ui {

class MainWindow;

class AddressCalculatorWindow : public QWidget {
  Q_OBJECT
 public:
  explicit AddressCalculatorWindow(MainWindow& main);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void Command1_Click();
  void Command2_Click();

  MainWindow& m_main;
  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* Label3 = nullptr;
  QLineEdit* Text1 = nullptr;
  QLineEdit* Text2 = nullptr;
  QPushButton* Command1 = nullptr;
  QPushButton* Command2 = nullptr;
};

}  // namespace korvana::ui
