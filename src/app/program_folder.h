#pragma once
// Where the program keeps its files. It runs in two layouts:
//  - a program folder of its own (the build folder, an unpacked copy): the
//    help page and "16.dat" lie beside the executable, and the settings and
//    the played tone "temp.mmf" are written there too;
//  - an installed program: the executable in bin/, the shipped files in
//    ../share/korvana, and nothing beside them that the user may write. The
//    settings then live in the user's configuration folder, and "temp.mmf"
//    in a private temporary folder: never under a fixed name in a shared
//    folder, where another user could plant a link to write through.

#include <string>

namespace korvana::app {

struct ProgramFolders {
  std::string data;       // the shipped files: the help page, "16.dat"
  std::string settings;   // "korvana.inf"; an empty remembered folder means this one
  std::string temporary;  // "temp.mmf"; empty: the caller makes a private temporary folder
};

// What the choice of folders depends on; ProbeProgramSurroundings finds it.
struct ProgramSurroundings {
  std::string executableFolder;
  bool executableFolderWritable = false;
  bool shippedFilesBesideExecutable = false;  // the help page or "16.dat"
  bool shippedFilesInDataFolder = false;      // the same in InstalledDataFolder
  std::string overrideFolder;                 // KORVANA_PROGRAM_FOLDER, "" when unset
  std::string userConfigFolder;               // .../korvana in the user's configuration folder; "" without HOME
};

// The folder of the running executable ("" when it cannot be found).
[[nodiscard]] std::string ExecutableFolder();

// Where an installed executable's shipped files lie: ../share/korvana from
// its folder (as the install rules place them).
[[nodiscard]] std::string InstalledDataFolder(const std::string& executableFolder);

// The choice itself, without touching the disk:
//  - data: beside the executable when the files are there, else the
//    installed data folder when they are there, else the executable's folder;
//  - settings and temporary: the executable's folder when it is the
//    program's own (writable, and not the bin/ of an installed layout, which
//    root may write too); otherwise the user's configuration folder (the
//    executable's when there is none) and a private temporary folder;
//  - KORVANA_PROGRAM_FOLDER, for tests and portable set-ups, takes the place
//    of the settings and temporary folder; the shipped files are found as
//    without it.
[[nodiscard]] ProgramFolders ChooseProgramFolders(const ProgramSurroundings& surroundings);

// Looks at the executable's folder, its installed data folder and the
// environment ($KORVANA_PROGRAM_FOLDER, $XDG_CONFIG_HOME, $HOME).
[[nodiscard]] ProgramSurroundings ProbeProgramSurroundings(const std::string& executableFolder);

// Probes and chooses, then creates the settings folder when it is not the
// executable's; one that cannot be created falls back to the executable's.
[[nodiscard]] ProgramFolders LocateProgramFolders(const std::string& executableFolder);

// The settings folder of LocateProgramFolders: what the program calls its
// folder where one folder is enough.
[[nodiscard]] std::string ProgramFolder(const std::string& executableFolder);

// True when the process is being traced (a debugger is attached).
[[nodiscard]] bool TracerAttached();

}  // namespace korvana::app
