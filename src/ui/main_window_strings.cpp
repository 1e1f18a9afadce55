// The tab "Zeichen": search the image for a text in one of the two
// encodings, collect replacements in the string list and write the ticked ones as
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
#include "app/status_texts.h"
#include "image/path.h"
#include "strings/string_patch.h"
#include "strings/string_search.h"
#include "ui/list_adapter.h"
#include "ui/main_window.h"
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
  m_searchText = Named(new QLineEdit(search), "Text11");
  searchGrid->addWidget(m_searchText, 0, 1, 1, 3);
  searchGrid->addWidget(EncodingFrame(search, "Frame20", m_chineseSearch, "Option1", m_englishSearch, "Option2"), 1, 1);
  m_searchFromBeginning = Named(new QCheckBox(ToQ("ab Begin"), search), "SearchBegin");
  searchGrid->addWidget(m_searchFromBeginning, 1, 2);
  m_searchButton = Named(new QPushButton(ToQ("Such"), search), "SeachString");
  searchGrid->addWidget(m_searchButton, 1, 3);

  // Replacement: text, encoding for the export, "zufügen ".
  searchGrid->addWidget(Named(new QLabel(ToQ("Zeichen ersetzen"), search), "Label13"), 2, 0);
  m_replacementText = Named(new QLineEdit(search), "Text7");
  searchGrid->addWidget(m_replacementText, 2, 1, 1, 3);
  searchGrid->addWidget(
      EncodingFrame(search, "Frame14", m_chineseReplacement, "Option3", m_englishReplacement, "Option4"), 3, 1);
  m_addReplacementButton = Named(new QPushButton(ToQ("zufügen "), search), "Add2List");
  searchGrid->addWidget(m_addReplacementButton, 3, 3);
  searchGrid->setColumnStretch(1, 1);

  // The hit: counter, start, stop, length.
  auto* hit = new QGroupBox(page);
  auto* hitGrid = new QGridLayout(hit);
  m_hitCounter = ResultField(hit, "Text4");
  m_hitStart = ResultField(hit, "Text10");
  m_hitStop = ResultField(hit, "Text9");
  m_hitLength = ResultField(hit, "Text8");
  hitGrid->addWidget(new QLabel(ToQ("Häufigkeit"), hit), 0, 0);
  hitGrid->addWidget(m_hitCounter, 0, 2);
  hitGrid->addWidget(new QLabel(ToQ("Startadr. "), hit), 1, 0);
  hitGrid->addWidget(new QLabel(ToQ("0x"), hit), 1, 1);
  hitGrid->addWidget(m_hitStart, 1, 2);
  hitGrid->addWidget(new QLabel(ToQ("Stopadr.  "), hit), 2, 0);
  hitGrid->addWidget(new QLabel(ToQ("0x"), hit), 2, 1);
  hitGrid->addWidget(m_hitStop, 2, 2);
  hitGrid->addWidget(new QLabel(ToQ("Größe Byte  "), hit), 3, 0);
  hitGrid->addWidget(m_hitLength, 3, 2);

  auto* top = new QHBoxLayout;
  top->addWidget(search, 1);
  top->addWidget(hit);

  m_stringListView = Named(new QTreeWidget(page), "ListView2");
  m_stringListView->setSelectionMode(QAbstractItemView::SingleSelection);
  m_stringListView->setContextMenuPolicy(Qt::CustomContextMenu);
  m_stringAdapter = new ListAdapter(m_stringListView, m_stringList,
                                    {{ToQ("Nr: "), 1059}, {ToQ("Startadr"), 1940}, {ToQ("Stopadr."), 1940},
                                     {ToQ("String ändern "), 6086}, {ToQ("Größe Byte"), 2540}});

  m_stringMenu = Named(new QMenu(ToQ("Popup Menu4"), this), "menufile4");
  m_removeStringAction =
      Named(m_stringMenu->addAction(ToQ("Lösche Ausw."), this, &MainWindow::OnRemoveStringClicked), "Removeone");
  m_removeAllStringsAction =
      Named(m_stringMenu->addAction(ToQ("Lösche alle!"), this, &MainWindow::OnRemoveAllStringsClicked), "Removeall");
  Named(m_stringMenu->addSeparator(), "line5");
  m_stringPatchAction =
      Named(m_stringMenu->addAction(ToQ("Export s3"), this, &MainWindow::OnStringPatchClicked), "outputStrS3");
  m_writeStringsAction = Named(
      m_stringMenu->addAction(ToQ("bin Exp."), this, &MainWindow::OnWriteStringsIntoImageClicked), "outputStraxf");

  auto* layout = new QVBoxLayout(page);
  layout->addLayout(top);
  layout->addWidget(Named(new QLabel(ToQ("Hinweis: Die zu suchende Zeichenfolge sollte so genau wie möglich "
                                         "definiert werden,"),
                                     page),
                          "Label12"));
  layout->addWidget(Named(new QLabel(ToQ("ansonsten könnte es zu falschen Ergebnissen führen."), page), "Label11"));
  layout->addWidget(m_stringListView, 1);

  connect(m_searchButton, &QPushButton::clicked, this, &MainWindow::OnSearchClicked);
  connect(m_addReplacementButton, &QPushButton::clicked, this, &MainWindow::OnAddReplacementClicked);
  connect(m_stringListView, &QWidget::customContextMenuRequested, this, &MainWindow::OnStringListContextMenu);
}

strings::StringEncoding MainWindow::ReplacementEncoding() const {
  return m_chineseReplacement->isChecked() ? strings::StringEncoding::kChinese : strings::StringEncoding::kEnglish;
}

void MainWindow::RefreshStringList() { m_stringAdapter->Refresh(); }

void MainWindow::OnSearchClicked() {
  const strings::StringSearchRequest request{
      FromQ(m_searchText->text()),
      m_chineseSearch->isChecked() ? strings::StringEncoding::kChinese : strings::StringEncoding::kEnglish,
      m_searchFromBeginning->isChecked()};
  strings::StringSearchFields fields{FromQ(m_hitCounter->text()), FromQ(m_hitStart->text()), FromQ(m_hitStop->text()),
                                     FromQ(m_hitLength->text()), 0};
  Outcome found;
  {
    BusyCursor busy;
    found = strings::SearchString(m_image, request, fields);
  }
  m_hitCounter->setText(ToQ(fields.counter));
  m_hitStart->setText(ToQ(fields.start));
  m_hitStop->setText(ToQ(fields.stop));
  m_hitLength->setText(ToQ(fields.length));
  if (found.ok) {
    m_replacementText->setMaxLength(fields.replacementLimit > 0 ? fields.replacementLimit : kUnlimitedLength);
  }
  ShowStatus(app::SearchStatus(found, fields.counter, fields.start));
  ShowOutcome(found);
}

void MainWindow::OnAddReplacementClicked() {
  const Outcome added = m_stringList.AddReplacement(FromQ(m_hitStart->text()), FromQ(m_hitStop->text()),
                                                    FromQ(m_replacementText->text()), FromQ(m_hitLength->text()));
  if (added.ok) RefreshStringList();
  ShowOutcome(added);
}

void MainWindow::OnStringListContextMenu(const QPoint& pos) {
  const strings::StringList::MenuState state = m_stringList.ContextMenuState();
  m_removeStringAction->setEnabled(state.remove);
  m_removeAllStringsAction->setEnabled(state.remove);
  m_stringPatchAction->setEnabled(state.output);
  m_writeStringsAction->setEnabled(state.output);
  m_stringMenu->popup(m_stringListView->viewport()->mapToGlobal(pos));
}

void MainWindow::OnRemoveStringClicked() {
  const std::vector<int> selected = m_stringAdapter->SelectedRows();
  m_stringList.RemoveRow(selected.empty() ? -1 : selected.front());
  RefreshStringList();
}

void MainWindow::OnRemoveAllStringsClicked() {
  m_stringList.RemoveAll();
  RefreshStringList();
}

void MainWindow::OnStringPatchClicked() {
  const QString path = Platform::Current().SaveFileName(this, StartFolder(m_folders.S3SavePath), app::kS3Filter);
  if (path.isEmpty()) return;
  const std::string chosen = FromQ(path);
  m_folders.S3SavePath = image::FolderOf(chosen);
  RunCommand(this, [&] {
    Outcome written;
    {
      BusyCursor busy;
      written = strings::WriteStringPatch(m_stringList, ReplacementEncoding(), chosen);
    }
    ShowStatus(app::PatchStatus(written, m_stringList.TickedCount(), app::CountedThing::kString));
    ShowOutcome(written);
  }, msg::kS3WriteError);
}

void MainWindow::OnWriteStringsIntoImageClicked() {
  RunCommand(this, [this] {
    Outcome written;
    {
      BusyCursor busy;
      written = strings::WriteStringsIntoImage(m_stringList, ReplacementEncoding(), m_image);
    }
    ShowStatus(app::PatchStatus(written, m_stringList.TickedCount(), app::CountedThing::kString));
    ShowOutcome(written);
  }, msg::kFileError);
}

}  // namespace korvana::ui
