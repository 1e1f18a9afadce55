#pragma once
// A platform that shows nothing: it records the messages and answers the
// questions and dialogs from queues that a test fills.

#include <QStringList>

#include <deque>
#include <vector>

#include "ui/platform.h"

namespace korvana::ui::test {

class FakePlatform : public Platform {
 public:
  FakePlatform() { Install(this); }
  ~FakePlatform() override { Install(nullptr); }

  void ShowMessage(QWidget*, int n) override { messages.push_back(n); }
  void ShowError(QWidget*, const QString& text) override { errors << text; }
  app::Answer Ask(QWidget*, std::string_view, std::string_view) override {
    ++questions;
    if (answers.empty()) return app::Answer::kCancel;
    const app::Answer a = answers.front();
    answers.pop_front();
    return a;
  }
  QString OpenFileName(QWidget*, const QString& folder, std::string_view, int filterIndex) override {
    filterIndices.push_back(filterIndex);
    folders << folder;
    return Next();
  }
  QString SaveFileName(QWidget* parent, const QString& folder, std::string_view filter, int filterIndex) override {
    filterIndices.push_back(filterIndex);
    folders << folder;
    if (realSaveDialogs) return Platform::SaveFileName(parent, folder, filter, filterIndex);
    return Next();
  }
  QString BrowseForFolder(QWidget*) override { return Next(); }
  bool OpenWithAssociatedApp(const QString& target) override {
    opened << target;
    return desktopHasPrograms;
  }

  std::vector<int> messages;
  QStringList errors;
  std::deque<app::Answer> answers;
  std::deque<QString> paths;  // answers of the file and folder dialogs
  QStringList opened;
  int questions = 0;
  std::vector<int> filterIndices;  // the preselected filter of each file dialog, in order
  QStringList folders;             // the start folder of each file dialog, in order
  bool realSaveDialogs = false;    // save dialogs are Qt's own, for a test to drive
  bool desktopHasPrograms = true;  // false: every file and address fails to open

 private:
  QString Next() {
    if (paths.empty()) return {};
    QString p = paths.front();
    paths.pop_front();
    return p;
  }
};

}  // namespace korvana::ui::test
