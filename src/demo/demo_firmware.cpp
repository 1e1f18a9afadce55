#include "demo/demo_firmware.h"

#include <algorithm>
#include <cstdlib>
#include <span>
#include <string_view>

#include "demo/demo_assets.h"
#include "demo/demo_drawing.h"
#include "demo/demo_stored_picture.h"
#include "image/handset_image.h"

namespace korvana::demo {

namespace {
// Where things lie. Tone and picture addresses are no round numbers, so
// their stored copies cannot turn up by chance in filler.
constexpr Address kVersionPlace = 0x000230;
constexpr Address kTonePointers = 0x041C20;  // 16-byte records, the start at +4
constexpr Address kToneEntries = 0x0F2A10;   // 8-byte entries: start, size
constexpr Address kFirstTone = 0x101A30;
constexpr Address kStrings = 0x183C40;
constexpr Address kPictureRecords = 0x1F4E08;  // 8-byte records: width, height, address
constexpr Address kFirstPicture = 0x203A00;
constexpr Address kPictureEnd = 0x2F0000;
constexpr Address kCodeAgain = 0x300000;
constexpr Address kErasedFrom = 0x3A0000;

// The built-in tones in address order, with the filler after each.
struct TonePlan {
  std::string_view file;
  std::string_view note;
  Length gapAfter;
};
constexpr TonePlan kTones[] = {{"a.mmf", "Klingel", 0x1C4},
                               {"b.mmf", "Wecker", 0x2E6},
                               {"c.mmf", "Melodie", 0x96},
                               {"b.mmf", "Nachricht", 0x3AA},
                               {"a.mmf", "来电", 0}};

struct StringPlan {
  std::string_view text;
  strings::StringEncoding encoding;
};
constexpr StringPlan kStringPlans[] = {
    {"Welcome", strings::StringEncoding::kEnglish},
    {"Ringtones", strings::StringEncoding::kEnglish},
    {"Wallpaper", strings::StringEncoding::kEnglish},
    {"Alarm clock", strings::StringEncoding::kEnglish},
    {"Hello from KORVANA", strings::StringEncoding::kEnglish},
    {"欢迎使用", strings::StringEncoding::kEnglish},
    {"铃声设置", strings::StringEncoding::kEnglish},
    {"菜单", strings::StringEncoding::kChinese},
    {"短信息", strings::StringEncoding::kChinese},
    {"Menu 菜单", strings::StringEncoding::kChinese},
};

// Deterministic filler that looks like code: xorshift32 from a fixed seed.
class Filler {
 public:
  std::uint8_t Next() {
    m_state ^= m_state << 13;
    m_state ^= m_state >> 17;
    m_state ^= m_state << 5;
    return static_cast<std::uint8_t>(m_state >> 11);
  }

 private:
  std::uint32_t m_state = 0x4B4F5256;  // "KORV"
};

class Layout {
 public:
  explicit Layout(std::vector<std::uint8_t>& bytes) : m_bytes(bytes) {}
  // The layout is constant; a place outside the image is a fault of this
  // file, which the tests would show at once.
  void Put(Address at, std::span<const std::uint8_t> data) {
    if (at + static_cast<std::int64_t>(data.size()) > static_cast<std::int64_t>(m_bytes.size())) std::abort();
    std::copy(data.begin(), data.end(), m_bytes.begin() + at);
  }
  void PutLe32(Address at, std::uint32_t v) {
    const std::uint8_t b[4] = {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
                               static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 24)};
    Put(at, b);
  }
  void PutLe16(Address at, std::uint16_t v) {
    const std::uint8_t b[2] = {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8)};
    Put(at, b);
  }
  void PutText(Address at, std::string_view text) {
    Put(at, {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
  }

 private:
  std::vector<std::uint8_t>& m_bytes;
};

std::vector<std::uint8_t> BytesOfHex(std::string_view hex) {
  return image::PatternBytesOf(hex);
}

void LayTones(Layout& layout, DemoFirmware& demo) {
  Address at = kFirstTone;
  int index = 0;
  for (const TonePlan& plan : kTones) {
    const auto bytes = DemoAsset(plan.file);
    DemoTone tone{std::string(plan.file), std::string(plan.note), at, static_cast<Length>(bytes.size()),
                  kTonePointers + 16 * index + 4, kToneEntries + 8 * index};
    layout.Put(at, bytes);
    layout.PutLe16(kTonePointers + 16 * index, static_cast<std::uint16_t>(index + 1));
    layout.PutLe32(tone.pointerPlace, static_cast<std::uint32_t>(at));
    layout.PutLe32(tone.entryPlace, static_cast<std::uint32_t>(at));
    layout.PutLe32(tone.entryPlace + 4, static_cast<std::uint32_t>(tone.size));
    at += tone.size + plan.gapAfter;
    demo.tones.push_back(std::move(tone));
    ++index;
  }
}

void LayStrings(Layout& layout, DemoFirmware& demo) {
  Address at = kStrings;
  for (const StringPlan& plan : kStringPlans) {
    const auto hex = strings::HexOf(plan.text, plan.encoding);
    if (!hex) std::abort();  // every text is in the code page
    const auto bytes = BytesOfHex(*hex);
    layout.Put(at, bytes);
    const std::size_t zeros = plan.encoding == strings::StringEncoding::kChinese ? 2 : 1;
    layout.Put(at + static_cast<Address>(bytes.size()), std::vector<std::uint8_t>(zeros, 0));
    demo.strings.push_back({std::string(plan.text), plan.encoding, at, static_cast<Length>(bytes.size())});
    // Strings start on even places, as tables of two-byte texts do.
    at += static_cast<Address>((bytes.size() + zeros + 1) / 2 * 2);
  }
}

void LayPictures(Layout& layout, DemoFirmware& demo) {
  Address at = kFirstPicture;
  int index = 0;
  for (DemoPicture& picture : DrawDemoPictures()) {
    std::vector<std::vector<std::uint8_t>> stored;
    for (const DemoFrame& frame : picture.frames) {
      auto bytes = StoredFrameOf(frame, picture.depth);
      if (!bytes) break;
      stored.push_back(std::move(*bytes));
    }
    if (stored.size() != picture.frames.size()) continue;
    Length frameSize = 0;
    for (const auto& s : stored) frameSize = std::max(frameSize, static_cast<Length>(s.size()));
    picture.address = at;
    picture.frameSize = frameSize;
    picture.recordPlace = kPictureRecords + 8 * index;
    for (std::size_t f = 0; f < stored.size(); ++f) layout.Put(at + static_cast<Address>(f) * frameSize, stored[f]);
    layout.PutLe16(picture.recordPlace, static_cast<std::uint16_t>(picture.width));
    layout.PutLe16(picture.recordPlace + 2, static_cast<std::uint16_t>(picture.height));
    layout.PutLe32(picture.recordPlace + 4, static_cast<std::uint32_t>(at));
    // Pictures start on 16-byte boundaries, after a gap of erased bytes.
    at = (at + frameSize * static_cast<Address>(stored.size()) + 0x40 + 15) / 16 * 16;
    if (at > kPictureEnd) std::abort();
    demo.pictures.push_back(std::move(picture));
    ++index;
  }
}
}  // namespace

DemoFirmware BuildDemoFirmware() {
  DemoFirmware demo;
  demo.image.assign(static_cast<std::size_t>(kDemoImageSize), 0xFF);
  Filler filler;
  auto fill = [&](Address from, Address to) {
    for (Address i = from; i < to; ++i) demo.image[static_cast<std::size_t>(i)] = filler.Next();
  };
  // Code before the tables and between them; erased flash (FF) around the
  // pictures and at the end.
  fill(0, kFirstPicture - 0x200);
  fill(kCodeAgain, kErasedFrom);
  Layout layout(demo.image);

  // The version: its marker, a blank and two bytes of build data, the text.
  demo.versionPlace = kVersionPlace;
  layout.PutText(kVersionPlace, "VersionString: \x01\x07");
  layout.PutText(kVersionPlace + 17, kDemoVersion);
  layout.Put(kVersionPlace + 25, std::vector<std::uint8_t>(1, 0));

  // Table areas start clean, so their unused slots read as zero.
  layout.Put(kTonePointers, std::vector<std::uint8_t>(16 * std::size(kTones), 0));
  layout.Put(kPictureRecords - 8, std::vector<std::uint8_t>(8 * 10, 0));
  layout.Put(kStrings - 16, std::vector<std::uint8_t>(16, 0));

  LayTones(layout, demo);
  LayStrings(layout, demo);
  LayPictures(layout, demo);

  demo.files.push_back({"mmf/kuerzer.mmf", {DemoAsset("b.mmf").begin(), DemoAsset("b.mmf").end()}});
  demo.files.push_back({"mmf/gleich.mmf", {DemoAsset("d.mmf").begin(), DemoAsset("d.mmf").end()}});
  demo.files.push_back({"mmf/laenger.mmf", {DemoAsset("c.mmf").begin(), DemoAsset("c.mmf").end()}});
  for (DemoFile& file : DrawReplacementPictures()) demo.files.push_back(std::move(file));
  return demo;
}

}  // namespace korvana::demo
