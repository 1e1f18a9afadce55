#include "cli/command_line.h"

#include <CLI/CLI.hpp>

#include <ostream>

namespace korvana::cli {

std::optional<int> ParseCommandLine(int argc, const char* const* argv, Action& action, std::ostream& out,
                                    std::ostream& err) {
  CLI::App app{"korvana-cli: the KORVANA firmware editor's commands for scripts", "korvana-cli"};
  app.require_subcommand(1);
  app.set_version_flag("--version", std::string("korvana-cli ") + KORVANA_VERSION, "Print the version and exit");
  AddImageCommands(app, action);
  AddAddressCommands(app, action);
  AddStringsCommands(app, action);
  AddPicturesCommands(app, action);
  AddTonesCommands(app, action);
  AddConverterCommands(app, action);
  AddDemoCommands(app, action);
  AddPatchCommands(app, action);

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e, out, err);
  } catch (const CLI::CallForAllHelp& e) {
    return app.exit(e, out, err);
  } catch (const CLI::CallForVersion& e) {
    return app.exit(e, out, err);
  } catch (const CLI::ParseError& e) {
    err << e.what() << '\n';
    const CLI::App* failed = &app;
    for (const CLI::App* sub = &app; sub != nullptr;) {
      failed = sub;
      const auto chosen = sub->get_subcommands();
      sub = chosen.empty() ? nullptr : chosen.front();
    }
    err << failed->help();
    return 2;
  }
  if (!action) {
    err << app.help();
    return 2;
  }
  return std::nullopt;
}

}  // namespace korvana::cli
