// korvana-cli: every command of the editor for scripts, without Qt. The
// parse (command_line.cpp) assembles the groups and maps parse errors to the
// usage and status 2; the chosen command runs here.

#include <iostream>

#include "cli/command_line.h"

int main(int argc, char** argv) {
  korvana::cli::Action action;
  if (const auto status = korvana::cli::ParseCommandLine(argc, argv, action, std::cout, std::cerr)) return *status;
  return korvana::cli::RunAction(action);
}
