#pragma once
// Path splitting with the platform's separators: '/' here, '\' and '/' on
// Windows. A folder value that is empty means "the program folder" to the
// callers, so the root folder must stay "/" and never become empty.

#include <string>
#include <string_view>

namespace korvana::image {

// Everything after the last separator; the empty text without one.
[[nodiscard]] std::string FileNameOf(std::string_view path);

// Everything before the last separator; "/" for a file in the root folder;
// the empty text for a path without a separator.
[[nodiscard]] std::string FolderOf(std::string_view path);

// folder + separator + name, without doubling a separator the folder ends in.
[[nodiscard]] std::string JoinPath(std::string_view folder, std::string_view name);

// The folder with exactly one trailing separator ("" stays "").
[[nodiscard]] std::string WithTrailingSeparator(std::string_view folder);

[[nodiscard]] bool IsPathSeparator(char c);

}  // namespace korvana::image
