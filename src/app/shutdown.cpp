#include "app/shutdown.h"

#include <cstdio>
#include <filesystem>

#include "app/shared_texts.h"
#include "image/path.h"

namespace korvana::app {

ShutdownResult ResolveUnsavedChanges(image::HandsetImage& image, const QuestionFn& ask) {
  ShutdownResult result;
  if (image.Modified()) {
    switch (ask(kSaveConfirmText, kQuestionTitle)) {
      case Answer::kCancel:
        result.proceed = false;
        return result;
      case Answer::kYes:
        result.outcome = image.SaveOverFile(false);
        if (!result.outcome.ok) {
          result.proceed = false;
          return result;
        }
        break;
      case Answer::kNo:
        break;
    }
  }
  return result;
}

ShutdownResult Shutdown(image::HandsetImage& image, SettingsFile& settings, const RememberedFolders& folders,
                        const std::string& toneFolder, const QuestionFn& ask) {
  ShutdownResult result = ResolveUnsavedChanges(image, ask);
  if (!result.proceed) return result;
  SaveRememberedFolders(settings, folders);
  std::remove(image::JoinPath(toneFolder, kTempToneFileName).c_str());
  return result;
}

std::string HelpFilePath(const std::string& programFolder) {
  for (std::string_view name : {kHelpFileName, kShippedHelpFileName}) {
    std::string path = image::JoinPath(programFolder, name);
    std::error_code ec;
    if (std::filesystem::is_regular_file(path, ec)) return path;
  }
  return {};
}

}  // namespace korvana::app
