// The tab "Zeichen": search the image for a text in one of the two
// encodings, collect replacements in ListView2 and write the ticked ones as
// an S-record patch or into the image.

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/shared_texts.h"
#include "image/path.h"
#include "strings/string_patch.h"
#include "strings/string_search.h"
#include "ui/main_window.h"
#include "ui/list_adapter.h"
#include "ui/platform.h"
#include "ui/widget_helpers.h"

namespace korvana::ui {

namespace {
// What a line edit accepts when no limit is set.
constexpr int kUnlimitedLength = 32767;

QLineEdit* ResultField(QWidget* parent, const char* name) {
  auto* field = Named(new QLineEdit(parent), name);
  field->setMinimumWidth(110);
  return field;
}

// A frame with the two encodings, "Chinese " first.
QGroupBox* EncodingFrame(QWidget* parent, const char* frameName, QRadioButton*& chinese, const char* chineseName,
                         QRadioButton*& english, const char* englishName) {
  auto* frame = Named(new QGroupBox(parent), frameName);
  auto* row = new QHBoxLayout(frame);
  chinese = Named(new QRadioButton(ToQ("Chinese "), frame), chineseName);
  english = Named(new QRadioButton(ToQ("Englisch"), frame), englishName);
  english->setChecked(true);
  row->addWidget(chinese);
  row->addSpacing(24);
  row->addWidget(english);
  row->addStretch();
  return frame;
}
}  // namespace

void MainWindow::BuildStringsTab(QWidget* page) {
  // Search: text, encoding, "ab Begin", "Such".
  auto* search = new QGroupBox(page);
  auto* searchGrid = new QGridLayout(search);
  searchGrid->addWidget(Named(new QLabel(ToQ("Zeichen suchen"), search), "Label14"), 0, 0);
  Text11 = Named(new QLineEdit(search), "Text11");
  searchGrid->addWidget(Text11, 0, 1, 1, 3);
  searchGrid->addWidget(EncodingFrame(search, "Frame20", Option1, "Option1", Option2, "Option2"), 1, 1);
  SearchBegin = Named(new QCheckBox(ToQ("ab Begin"), search), "SearchBegin");
  searchGrid->addWidget(SearchBegin, 1, 2);
  SeachString = Named(new QPushButton(ToQ("Such"), search), "SeachString");
  searchGrid->addWidget(SeachString, 1, 3);

  // Replacement: text, encoding for the export, "zufügen ".
  searchGrid->addWidget(Named(new QLabel(ToQ("Zeichen ersetzen"), search), "Label13"), 2, 0);
  Text7 = Named(new QLineEdit(search), "Text7");
  searchGrid->addWidget(Text7, 2, 1, 1, 3);
  searchGrid->addWidget(EncodingFrame(search, "Frame14", Option3, "Option3", Option4, "Option4"), 3, 1);
  Add2List = Named(new QPushButton(ToQ("zufügen "), search), "Add2List");
  searchGrid->addWidget(Add2List, 3, 3);
  searchGrid->setColumnStretch(1, 1);

  // The hit: counter, start, stop, length.
  auto* hit = new QGroupBox(page);
  auto* hitGrid = new QGridLayout(hit);
  Text4 = ResultField(hit, "Text4");
  Text10 = ResultField(hit, "Text10");
  Text9 = ResultField(hit, "Text9");
  Text8 = ResultField(hit, "Text8");
  hitGrid->addWidget(new QLabel(ToQ("Häufigkeit"), hit), 0, 0);
  hitGrid->addWidget(Text4, 0, 2);
  hitGrid->addWidget(new QLabel(ToQ("Startadr. "), hit), 1, 0);
  hitGrid->addWidget(new QLabel(ToQ("0x"), hit), 1, 1);
  hitGrid->addWidget(Text10, 1, 2);
  hitGrid->addWidget(new QLabel(ToQ("Stopadr.  "), hit), 2, 0);
  hitGrid->addWidget(new QLabel(ToQ("0x"), hit), 2, 1);
  hitGrid->addWidget(Text9, 2, 2);
  hitGrid->addWidget(new QLabel(ToQ("Größe Byte  "), hit), 3, 0);
  hitGrid->addWidget(Text8, 3, 2);

  auto* top = new QHBoxLayout;
  top->addWidget(search, 1);
  top->addWidget(hit);

  ListView2 = Named(new QTreeWidget(page), "ListView2");
  ListView2->setSelectionMode(QAbstractItemView::SingleSelection);
  ListView2->setContextMenuPolicy(Qt::CustomContextMenu);
  m_stringListAdapter = new ListAdapter(ListView2, m_stringList,
                                        {{ToQ("Nr: "), 1059}, {ToQ("Startadr"), 1940}, {ToQ("Stopadr."), 1940},
                                         {ToQ("String ändern "), 6086}, {ToQ("Größe Byte"), 2540}});

  menufile4 = Named(new QMenu(ToQ("Popup Menu4"), this), "menufile4");
  Removeone = Named(menufile4->addAction(ToQ("Lösche Ausw."), this, &MainWindow::Removeone_Click), "Removeone");
  Removeall = Named(menufile4->addAction(ToQ("Lösche alle!"), this, &MainWindow::Removeall_Click), "Removeall");
  Named(menufile4->addSeparator(), "line5");
  outputStrS3 = Named(menufile4->addAction(ToQ("Export s3"), this, &MainWindow::outputStrS3_Click), "outputStrS3");
  outputStraxf = Named(menufile4->addAction(ToQ("bin Exp."), this, &MainWindow::outputStraxf_Click), "outputStraxf");

  auto* layout = new QVBoxLayout(page);
  layout->addLayout(top);
  layout->addWidget(Named(new QLabel(ToQ("Hinweis: Die zu suchende Zeichenfolge sollte so genau wie möglich "
                                         "definiert werden,"),
                                     page),
                          "Label12"));
  layout->addWidget(Named(new QLabel(ToQ("ansonsten könnte es zu falschen Ergebnissen führen."), page), "Label11"));
  layout->addWidget(ListView2, 1);

  connect(SeachString, &QPushButton::clicked, this, &MainWindow::SeachString_Click);
  connect(Add2List, &QPushButton::clicked, this, &MainWindow::Add2List_Click);
  connect(ListView2, &QWidget::customContextMenuRequested, this, &MainWindow::ListView2_MouseDown);
}

strings::StringEncoding MainWindow::ReplacementEncoding() const {
  return Option3->isChecked() ? strings::StringEncoding::kChinese : strings::StringEncoding::kEnglish;
}

void MainWindow::RefreshStringList() { m_stringListAdapter->Refresh(); }

void MainWindow::SeachString_Click() {
  const strings::StringSearchRequest request{
      FromQ(Text11->text()), Option1->isChecked() ? strings::StringEncoding::kChinese : strings::StringEncoding::kEnglish,
      SearchBegin->isChecked()};
  strings::StringSearchFields fields{FromQ(Text4->text()), FromQ(Text10->text()), FromQ(Text9->text()),
                                     FromQ(Text8->text()), 0};
  Outcome found;
  {
    BusyCursor busy;
    found = strings::SearchString(m_image, request, fields);
  }
  Text4->setText(ToQ(fields.counter));
  Text10->setText(ToQ(fields.start));
  Text9->setText(ToQ(fields.stop));
  Text8->setText(ToQ(fields.length));
  if (found.ok) Text7->setMaxLength(fields.replacementLimit > 0 ? fields.replacementLimit : kUnlimitedLength);
  ShowOutcome(found);
}

void MainWindow::Add2List_Click() {
  const Outcome added = m_stringList.AddReplacement(FromQ(Text10->text()), FromQ(Text9->text()), FromQ(Text7->text()),
                                              FromQ(Text8->text()));
  if (added.ok) RefreshStringList();
  ShowOutcome(added);
}

void MainWindow::ListView2_MouseDown(const QPoint& pos) {
  const strings::StringList::MenuState state = m_stringList.ContextMenuState();
  Removeone->setEnabled(state.remove);
  Removeall->setEnabled(state.remove);
  outputStrS3->setEnabled(state.output);
  outputStraxf->setEnabled(state.output);
  menufile4->popup(ListView2->viewport()->mapToGlobal(pos));
}

void MainWindow::Removeone_Click() {
  const std::vector<int> selected = m_stringListAdapter->SelectedRows();
  m_stringList.RemoveRow(selected.empty() ? -1 : selected.front());
  RefreshStringList();
}

void MainWindow::Removeall_Click() {
  m_stringList.RemoveAll();
  RefreshStringList();
}

void MainWindow::outputStrS3_Click() {
  const QString path = Platform::Current().SaveFileName(this, ToQ(m_folders.S3SavePath), app::kS3Filter);
  if (path.isEmpty()) return;
  const std::string chosen = FromQ(path);
  m_folders.S3SavePath = image::FolderOf(chosen);
  RunCommand(this, [&] {
    Outcome written;
    {
      BusyCursor busy;
      written = strings::WriteStringPatch(m_stringList, ReplacementEncoding(), chosen);
    }
    ShowOutcome(written);
  }, msg::kS3WriteError);
}

void MainWindow::outputStraxf_Click() {
  RunCommand(this, [this] {
    Outcome written;
    {
      BusyCursor busy;
      written = strings::WriteStringsIntoImage(m_stringList, ReplacementEncoding(), m_image);
    }
    ShowOutcome(written);
  }, msg::kFileError);
}

}  // namespace korvana::ui
