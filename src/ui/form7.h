#pragma once
// Form7 "Adressrechner": the first address after a block of a typed size or
// of a chosen file's size. It reads and changes nothing but its two fields.

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

namespace korvana::ui {

class Form1;

class Form7 : public QWidget {
  Q_OBJECT
 public:
  explicit Form7(Form1& main);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void Command1_Click();
  void Command2_Click();

  Form1& m_main;
  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* Label3 = nullptr;
  QLineEdit* Text1 = nullptr;
  QLineEdit* Text2 = nullptr;
  QPushButton* Command1 = nullptr;
  QPushButton* Command2 = nullptr;
};

}  // namespace korvana::ui
