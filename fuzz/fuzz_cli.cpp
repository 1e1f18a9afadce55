// The argument parser of korvana-cli over any words (the input split at 0
// bytes, at most 24 of them). Only the parse runs, never the command: it
// must end with a status or a chosen command, never with an uncaught
// exception or an exit.

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  korvana::fuzz::Cursor in(data, size);
  std::vector<std::string> words{"korvana-cli"};
  while (!in.Rest().empty() && words.size() < 25) words.emplace_back(in.Word0());
  std::vector<const char*> argv;
  for (const std::string& w : words) argv.push_back(w.c_str());
  argv.push_back(nullptr);

  korvana::cli::Action action;
  std::ostringstream out;
  std::ostringstream err;
  const auto status =
      korvana::cli::ParseCommandLine(static_cast<int>(words.size()), argv.data(), action, out, err);
  if (status) {
    if (*status != 0 && *status != 2) std::abort();
    if (*status == 2 && err.str().empty()) std::abort();  // wrong usage always shows the usage
  } else if (!action) {
    std::abort();
  }
  return 0;
}
