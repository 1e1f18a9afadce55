#pragma once
// Closing the program: the save question for a modified image, the settings
// written back, the played tone removed.

#include <string>

#include "app/question.h"
#include "app/remembered_folders.h"
#include "image/handset_image.h"
#include "image/outcome.h"

namespace korvana::app {

struct ShutdownResult {
  bool proceed = true;  // false: the program keeps running
  Outcome outcome;      // a failed save carries message 2
};

// Before the image is given up (the program ends, another file opens):
// asks SaveConfirmText when the image is modified. Yes saves without the
// confirmation message; a save that fails stops (with message 2) rather
// than lose the change. Cancel stops; No goes on without saving.
[[nodiscard]] ShutdownResult ResolveUnsavedChanges(image::HandsetImage& image, const QuestionFn& ask);

// ResolveUnsavedChanges, then, when the shutdown goes on, the folders are
// written and "temp.mmf" in toneFolder is removed.
[[nodiscard]] ShutdownResult Shutdown(image::HandsetImage& image, SettingsFile& settings,
                                      const RememberedFolders& folders, const std::string& toneFolder,
                                      const QuestionFn& ask);

// The help file beside the program: "KORVANA Help.chm" when it is there,
// else the shipped web page; empty when neither exists (message 33).
[[nodiscard]] std::string HelpFilePath(const std::string& programFolder);

}  // namespace korvana::app
