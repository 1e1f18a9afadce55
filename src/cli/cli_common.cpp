#include "cli/cli_common.h"

#include <cstdio>
#include <iostream>

#include "app/message_table.h"
#include "image/hex.h"

namespace korvana::cli {

int Report(const Outcome& outcome) {
  if (outcome.ok) return 0;
  std::string line(app::MessageText(outcome.message));
  if (!outcome.detail.empty()) line += (line.empty() ? "" : ": ") + outcome.detail;
  if (!line.empty()) std::cerr << line << '\n';
  return 1;
}

int RunAction(const Action& action) {
  try {
    return action();
  } catch (const image::HexOverflow&) {
    std::cerr << "Overflow: a hex value of 80000000 or more\n";
    return 1;
  }
}

void PrintRecord(const std::vector<std::string>& fields) {
  std::string line;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) line.push_back('\t');
    line += fields[i];
  }
  line.push_back('\n');
  std::fwrite(line.data(), 1, line.size(), stdout);
}

}  // namespace korvana::cli
