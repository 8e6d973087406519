// What the user typed or a file held, as a message quotes it: in double
// quotes, control and non-ASCII bytes shown as '?', cut after 40 characters
// so that one bad line of a file or a pasted page stays one line of message.
#pragma once

#include <cctype>
#include <string>

namespace aerofoil {

inline std::string quotedText(const std::string& text) {
  constexpr std::size_t kShown = 40;
  std::string shown;
  for (char c : text) {
    if (shown.size() >= kShown) {
      shown += "...";
      break;
    }
    shown += std::isprint(static_cast<unsigned char>(c)) ? c : '?';
  }
  return "\"" + shown + "\"";
}

}  // namespace aerofoil
