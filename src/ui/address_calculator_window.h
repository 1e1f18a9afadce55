#pragma once
// The address calculator "Adressrechner": the first address after a block of
// a typed size or of a chosen file's size. It reads and changes nothing but
// its two fields.

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
  void OnNextClicked();
  void OnChooseFileClicked();

  MainWindow& m_main;
  QLabel* m_startLabel = nullptr;
  QLabel* m_sizeLabel = nullptr;
  QLabel* m_hexPrefixLabel = nullptr;
  QLineEdit* m_startAddress = nullptr;
  QLineEdit* m_blockSize = nullptr;
  QPushButton* m_nextButton = nullptr;
  QPushButton* m_sizeFromFileButton = nullptr;
};

}  // namespace korvana::ui
