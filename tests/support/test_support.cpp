#include "support/test_support.h"

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <fstream>

namespace korvana::test {

namespace fs = std::filesystem;

TempDir::TempDir() {
  static std::atomic<int> counter{0};
  m_path = fs::temp_directory_path() /
           ("korvana-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
  fs::remove_all(m_path);
  fs::create_directories(m_path);
}

TempDir::~TempDir() {
  std::error_code ec;
  fs::permissions(m_path, fs::perms::owner_all, fs::perm_options::add, ec);
  fs::remove_all(m_path, ec);
}

std::string TempDir::Path(const std::string& name) const {
  return name.empty() ? m_path.string() : (m_path / name).string();
}

void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void WriteText(const std::string& path, const std::string& text) {
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  f << text;
}

std::vector<std::uint8_t> ReadBytes(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

std::string ReadText(const std::string& path) {
  const std::vector<std::uint8_t> bytes = ReadBytes(path);
  return {bytes.begin(), bytes.end()};
}

std::vector<std::uint8_t> BytesOf(const std::string& text) { return {text.begin(), text.end()}; }

namespace {
std::string Quote(const std::string& word) {
  std::string q = "'";
  for (char c : word) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}
}  // namespace

CommandResult RunShell(const std::string& commandLine) {
  TempDir dir;
  const std::string out = dir.Path("out"), err = dir.Path("err");
  const int raw = std::system((commandLine + " >" + Quote(out) + " 2>" + Quote(err) + " </dev/null").c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadText(out), ReadText(err)};
}

CommandResult RunCli(const std::vector<std::string>& args) { return RunCliWith({}, args); }

#ifndef KORVANA_CLI
#define KORVANA_CLI "korvana-cli"
#endif
CommandResult RunCliWith(const std::vector<std::string>& environment, const std::vector<std::string>& args) {
  return RunProgram(environment, KORVANA_CLI, args);
}

CommandResult RunProgram(const std::vector<std::string>& environment, const std::string& program,
                         const std::vector<std::string>& args) {
  std::string line = environment.empty() ? "" : "env ";
  for (const auto& e : environment) line += Quote(e) + " ";
  line += Quote(program);
  for (const auto& a : args) line += " " + Quote(a);
  return RunShell(line);
}

std::vector<std::string> FilesIn(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace korvana::test
