// korvana-cli: every command of the editor for scripts, without Qt. This file
// only assembles the groups and maps parse errors to the usage and status 2.

#include <CLI/CLI.hpp>

#include <iostream>

#include "cli/cli_common.h"

int main(int argc, char** argv) {
  CLI::App app{"korvana-cli: the KORVANA firmware editor's commands for scripts", "korvana-cli"};
  app.require_subcommand(1);
  korvana::cli::Action action;
  korvana::cli::AddImageCommands(app, action);
  korvana::cli::AddAddressCommands(app, action);
  korvana::cli::AddStringsCommands(app, action);
  korvana::cli::AddPicturesCommands(app, action);
  korvana::cli::AddTonesCommands(app, action);
  korvana::cli::AddConverterCommands(app, action);
  korvana::cli::AddDemoCommands(app, action);

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForAllHelp& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    std::cerr << e.what() << '\n';
    const CLI::App* failed = &app;
    for (const CLI::App* sub = &app; sub != nullptr;) {
      failed = sub;
      const auto chosen = sub->get_subcommands();
      sub = chosen.empty() ? nullptr : chosen.front();
    }
    std::cerr << failed->help();
    return 2;
  }
  if (!action) {
    std::cerr << app.help();
    return 2;
  }
  return korvana::cli::RunAction(action);
}
