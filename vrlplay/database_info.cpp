#include "vrlplay/database_info.h"

namespace mowik {

std::string InfoText(std::string_view engineText) {
  std::string text;
  text.reserve(engineText.size() + 8);
  for (char c : engineText) {
    if (c == '\n') text.push_back('\r');
    text.push_back(c);
  }
  text += "\r\n\r\n";
  return text;
}

}  // namespace mowik
