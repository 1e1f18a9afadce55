#include "tones/tone_file_list.h"

#include <algorithm>
#include <filesystem>

#include "image/hex.h"
#include "image/path.h"
#include "tones/text_order.h"

namespace korvana::tones {

namespace {
namespace fs = std::filesystem;

constexpr int kSizeDigits = 6;
}  // namespace

std::vector<std::string> MmfFileNames(std::string_view folder) {
  std::vector<std::string> names;
  std::error_code ec;
  fs::directory_iterator it(fs::path(std::string(folder)), ec);
  for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
    std::string name = it->path().filename().string();
    std::error_code typeError;
    if (HasMmfExtension(name) && it->is_regular_file(typeError)) names.push_back(std::move(name));
  }
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) { return TextLess(a, b); });
  return names;
}

std::string FileSizeText(std::int64_t size) { return image::ZeroPad(std::to_string(size), kSizeDigits); }

void ToneFileList::ReadFolder(std::string_view folder) {
  m_folder.assign(folder);
  m_rows.clear();
  for (std::string& name : MmfFileNames(folder)) {
    std::string path = image::JoinPath(folder, name);
    std::error_code ec;
    const auto size = fs::file_size(fs::path(path), ec);
    if (ec) continue;
    m_rows.push_back({std::move(name), FileSizeText(static_cast<std::int64_t>(size)), std::move(path)});
  }
}

app::RowOrder ToneFileList::HeaderClicked(int column) {
  if (column != kFileName && column != kFileSize) return app::UnchangedOrder(m_rows.size());
  m_sortColumn = column;
  m_descending = !m_descending;
  return Sort();
}

app::RowOrder ToneFileList::Sort() {
  auto key = [this](const ToneFile& f) -> const std::string& { return m_sortColumn == kFileName ? f.name : f.sizeText; };
  return app::StableSortRows(m_rows, [&](const ToneFile& a, const ToneFile& b) {
    return m_descending ? TextLess(key(b), key(a)) : TextLess(key(a), key(b));
  });
}

}  // namespace korvana::tones
