#pragma once
// What every command of korvana-cli shares: how an outcome becomes an exit
// status and a line on standard error, and how records are printed.

#include <CLI/CLI.hpp>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "image/outcome.h"

namespace korvana::cli {

// The command that parsing chose; it runs after the whole line is parsed.
using Action = std::function<int()>;

// Failure: the message text (and ": detail") on standard error, status 1.
// Success: nothing printed, status 0.
int Report(const Outcome& outcome);

// Runs an action at the command boundary, where the overflow of a hex
// argument ends the command as a failure.
int RunAction(const Action& action);

// One record: the fields joined by TAB, ended by LF, on standard output.
void PrintRecord(const std::vector<std::string>& fields);

// Each group adds its commands to the app; the chosen one sets action.
void AddImageCommands(CLI::App& app, Action& action);
void AddAddressCommands(CLI::App& app, Action& action);
void AddStringsCommands(CLI::App& app, Action& action);
void AddPicturesCommands(CLI::App& app, Action& action);
void AddTonesCommands(CLI::App& app, Action& action);
void AddConverterCommands(CLI::App& app, Action& action);
void AddDemoCommands(CLI::App& app, Action& action);
void AddPatchCommands(CLI::App& app, Action& action);

}  // namespace korvana::cli
