#pragma once
// Where the program keeps its files: the settings, the palette, the help
// and the played tone. That is the folder of the executable; where it cannot
// be written (an installed copy), the user's configuration folder takes its
// place so that settings and "temp.mmf" still work.

#include <string>

namespace korvana::app {

// The folder of the running executable ("" when it cannot be found).
[[nodiscard]] std::string ExecutableFolder();

// executableFolder when writable, else $XDG_CONFIG_HOME/korvana (or
// ~/.config/korvana), created on the way. The environment variable
// KORVANA_PROGRAM_FOLDER overrides both, for tests and portable set-ups.
[[nodiscard]] std::string ProgramFolder(const std::string& executableFolder);

// True when the process is being traced (a debugger is attached).
[[nodiscard]] bool TracerAttached();

}  // namespace korvana::app
