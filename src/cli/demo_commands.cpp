// korvana-cli demo: the demonstration firmware and its companion files.

#include <memory>
#include <string>

#include "cli/cli_common.h"
#include "demo/demo_writer.h"

namespace korvana::cli {

void AddDemoCommands(CLI::App& app, Action& action) {
  auto folder = std::make_shared<std::string>();
  CLI::App* demo = app.add_subcommand(
      "demo", "Write a demonstration firmware with tones, strings and pictures, its tables and replacement files");
  demo->add_option("DIR", *folder, "folder to write into (made when missing)")->required();
  demo->callback([&action, folder] {
    action = [folder] {
      const Outcome outcome = demo::WriteDemo(*folder);
      for (const std::string& path : outcome.written) PrintRecord({path});
      return Report(outcome);
    };
  });
}

}  // namespace korvana::cli
