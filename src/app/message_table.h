#pragma once
// The numbered messages: every report of the system is one of these, shown
// by its number. Texts, titles and icons are the system's own words.

#include <optional>
#include <string_view>

namespace korvana::app {

enum class MessageIcon { kCritical, kExclamation, kInformation };

struct MessageEntry {
  std::string_view title;
  MessageIcon icon;
  std::string_view text;
};

inline constexpr int kMessageCount = 44;

// The entry n, or nothing for numbers outside 1..44 and for 35, which has no
// entry: nothing is shown for those.
[[nodiscard]] std::optional<MessageEntry> MessageFor(int n);

// The text of message n, empty when there is none.
[[nodiscard]] std::string_view MessageText(int n);

}  // namespace korvana::app
