#pragma once
// Yes/No/Cancel questions reach the core as a callback that the front end
// supplies: the editor shows a box, the CLI answers from --yes, a test
// answers with a lambda.

#include <functional>
#include <string_view>

namespace korvana::app {

enum class Answer { kYes, kNo, kCancel };

using QuestionFn = std::function<Answer(std::string_view text, std::string_view title)>;

}  // namespace korvana::app
