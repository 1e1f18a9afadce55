#include "app/code_page.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>

namespace korvana::app {

namespace {
constexpr std::string_view kDefaultCodePage = "CP936";
constexpr std::string_view kReplacementUtf8 = "\xEF\xBF\xBD";

class Converter {
 public:
  Converter(const std::string& to, const std::string& from) : m_cd(iconv_open(to.c_str(), from.c_str())) {}
  ~Converter() {
    if (Valid()) iconv_close(m_cd);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
  [[nodiscard]] bool Valid() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

  // Converts as much as it can; stops at an unconvertible or invalid
  // sequence. Returns the number of input bytes consumed.
  std::size_t Run(std::string_view in, std::string& out) {
    char* inPtr = const_cast<char*>(in.data());
    std::size_t inLeft = in.size();
    char buffer[256];
    while (inLeft > 0) {
      char* outPtr = buffer;
      std::size_t outLeft = sizeof buffer;
      const std::size_t r = iconv(m_cd, &inPtr, &inLeft, &outPtr, &outLeft);
      out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
      if (r == static_cast<std::size_t>(-1) && errno != E2BIG) break;
    }
    char* outPtr = buffer;
    std::size_t outLeft = sizeof buffer;
    iconv(m_cd, nullptr, nullptr, &outPtr, &outLeft);  // flush any shift state
    out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
    return in.size() - inLeft;
  }

 private:
  iconv_t m_cd;
};

// Length of the UTF-8 sequence that starts with b (1 for a stray byte).
std::size_t Utf8Length(unsigned char b) {
  if (b >= 0xF0) return 4;
  if (b >= 0xE0) return 3;
  if (b >= 0xC0) return 2;
  return 1;
}

// Converts piece by piece, replacing what cannot be converted; `step` says
// how many bytes of the input one bad character spans.
template <typename Step>
std::string ConvertLenient(const std::string& to, const std::string& from, std::string_view in,
                           std::string_view replacement, Step step) {
  std::string out;
  Converter conv(to, from);
  if (!conv.Valid()) return std::string(in);
  while (!in.empty()) {
    const std::size_t used = conv.Run(in, out);
    in.remove_prefix(used);
    if (in.empty()) break;
    out.append(replacement);
    in.remove_prefix(std::min(in.size(), step(in)));
  }
  return out;
}
}  // namespace

std::string AnsiCodePageName() {
  const char* name = std::getenv("KORVANA_CODEPAGE");
  return (name != nullptr && *name != '\0') ? std::string(name) : std::string(kDefaultCodePage);
}

std::optional<std::string> Utf8ToAnsiStrict(std::string_view utf8) {
  Converter conv(AnsiCodePageName(), "UTF-8");
  if (!conv.Valid()) return std::nullopt;
  std::string out;
  if (conv.Run(utf8, out) != utf8.size()) return std::nullopt;
  return out;
}

std::string Utf8ToAnsi(std::string_view utf8) {
  return ConvertLenient(AnsiCodePageName(), "UTF-8", utf8, "?",
                        [](std::string_view rest) { return Utf8Length(static_cast<unsigned char>(rest[0])); });
}

std::string AnsiToUtf8(std::string_view ansi) {
  return ConvertLenient("UTF-8", AnsiCodePageName(), ansi, kReplacementUtf8,
                        [](std::string_view) { return std::size_t{1}; });
}

}  // namespace korvana::app
