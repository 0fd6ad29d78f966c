#include "vrlplay/request.h"

#include "vrlplay/vrlplay.h"

namespace mowik {

int PlayRequestType(int flags) {
  const bool commands = (flags & VRL_COMMANDS) != 0;
  const bool fromFile = (flags & VRL_FROM_FILE) != 0;
  if (commands) return fromFile ? kCommandFile : kCommandText;
  return fromFile ? kPhonemeFile : kPhonemeText;
}

int RequestKind(int flags) { return flags & (VRL_FROM_FILE | VRL_COMMANDS); }

std::optional<std::string> CopyOfText(const char* text) {
  if (text == nullptr) return std::nullopt;
  return std::string(text);
}

}  // namespace mowik
