#pragma once
// Helpers shared by the test binaries: a scratch folder, files in and out, running korvana-cli.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace korvana::test {

// A fresh folder under the system's temporary folder, removed at the end.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  [[nodiscard]] std::string Path(const std::string& name = {}) const;

 private:
  std::filesystem::path m_path;
};

void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);
void WriteText(const std::string& path, const std::string& text);
[[nodiscard]] std::vector<std::uint8_t> ReadBytes(const std::string& path);
[[nodiscard]] std::string ReadText(const std::string& path);
[[nodiscard]] std::vector<std::uint8_t> BytesOf(const std::string& text);

struct CommandResult {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs the built korvana-cli with the arguments (each one word), and extra "NAME=value" variables.
[[nodiscard]] CommandResult RunCli(const std::vector<std::string>& args);
[[nodiscard]] CommandResult RunCliWith(const std::vector<std::string>& environment,
                                       const std::vector<std::string>& args);
// Runs a program (not necessarily korvana-cli) the same way.
[[nodiscard]] CommandResult RunProgram(const std::vector<std::string>& environment, const std::string& program,
                                       const std::vector<std::string>& args);
// Runs a shell command line and captures its output.
[[nodiscard]] CommandResult RunShell(const std::string& commandLine);

// The names of the files in a folder, sorted.
[[nodiscard]] std::vector<std::string> FilesIn(const std::string& folder);

}  // namespace korvana::test
