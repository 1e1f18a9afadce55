// Runs a writer that korvana-cli has no command for, so the fault tests can run it under the shim:
//   fault_probe settings INI SECTION KEY VALUE | picture-table OUT ROWS
// Exit 0 on success, 1 with the message text on standard error otherwise.

#include <iostream>
#include <string>

#include "app/message_table.h"
#include "app/settings_file.h"
#include "pictures/picture_list.h"
#include "pictures/picture_table.h"

int main(int argc, char** argv) {
  using namespace korvana;
  const std::string what = argc > 1 ? argv[1] : "";
  if (what == "settings" && argc == 6) return app::SettingsFile(argv[2]).WriteSetting(argv[3], argv[4], argv[5]), 0;
  if (what != "picture-table" || argc != 4) {
    std::cerr << "usage: fault_probe settings INI SECTION KEY VALUE | picture-table OUT ROWS\n";
    return 2;
  }
  std::vector<pictures::PictureEntry> rows;
  for (int i = 1; i <= std::stoi(argv[3]); ++i) {
    rows.push_back({std::to_string(i), "Bild" + std::to_string(i), "0X00001000", "1", "2560", "128*160", "16"});
  }
  pictures::PictureList list;
  list.SetRows(std::move(rows));
  const Outcome outcome = pictures::WritePictureTable(argv[2], list);
  if (!outcome.ok) std::cerr << app::MessageText(outcome.message) << '\n';
  return outcome.ok ? 0 : 1;
}
