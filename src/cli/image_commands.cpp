// korvana-cli info and find: the image as the editor opens it, and the shared
// pattern search.

#include <memory>
#include <string>

#include "app/code_page.h"
#include "cli/cli_common.h"
#include "image/handset_image.h"
#include "image/hex.h"

namespace korvana::cli {

namespace {
struct ImageArgs {
  std::string firmware;
  std::string pattern;
};

int Info(const ImageArgs& args) {
  image::HandsetImage image;
  if (const Outcome loaded = image.Load(args.firmware); !loaded.ok) return Report(loaded);
  PrintRecord({"size", std::to_string(image.Size())});
  PrintRecord({"version", app::AnsiToUtf8(image.VersionText())});
  return 0;
}

int Find(const ImageArgs& args) {
  image::HandsetImage image;
  if (const Outcome loaded = image.Load(args.firmware); !loaded.ok) return Report(loaded);
  image.SetSearchStart(0);
  std::string out;
  while (image.FindHexPattern(args.pattern)) {
    out += image::HexPad(image.FoundPos(), 8);
    out.push_back('\n');
  }
  std::fwrite(out.data(), 1, out.size(), stdout);
  return 0;
}
}  // namespace

void AddImageCommands(CLI::App& app, Action& action) {
  auto args = std::make_shared<ImageArgs>();

  CLI::App* info = app.add_subcommand("info", "Open FW as the editor does: its size and version text");
  info->add_option("FW", args->firmware, "firmware image")->required();
  info->callback([&action, args] { action = [args] { return Info(*args); }; });

  CLI::App* find = app.add_subcommand("find", "Every hit of a hex byte pattern, from a fresh cursor");
  find->add_option("FW", args->firmware, "firmware image")->required();
  find->add_option("HEX", args->pattern, "pattern as pairs of hex digits")->required();
  find->callback([&action, args] { action = [args] { return Find(*args); }; });
}

}  // namespace korvana::cli
