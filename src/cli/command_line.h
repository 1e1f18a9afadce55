#pragma once
// Parsing the command line apart from running the command, so that a parse
// never exits the process: the fuzz target of the argument parser calls it
// with any words, and main runs the chosen action afterwards.

#include <iosfwd>
#include <optional>

#include "cli/cli_common.h"

namespace korvana::cli {

// Parses argv (argv[0] is the program name) into action. The exit status
// when the line ends here (0 after --help, 2 for wrong usage, with the usage
// written to out or err); nothing when action is to run.
[[nodiscard]] std::optional<int> ParseCommandLine(int argc, const char* const* argv, Action& action, std::ostream& out,
                                                  std::ostream& err);

}  // namespace korvana::cli
