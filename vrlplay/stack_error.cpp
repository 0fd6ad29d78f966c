#include "vrlplay/stack_error.h"

#include <string>

namespace mowik {

CStackError::CStackError(int code, std::initializer_list<std::string_view> texts) : code_(code) {
  for (std::string_view text : texts) {
    if (!message_) {
      message_ = std::string(text);
    } else {
      message_ = std::string(text) + "\r\n" + *message_;
    }
  }
}

CStackError CStackError::Of(int code, std::string_view detail) {
  switch (code) {
    case -1: return {code, {"Cancelled by user"}};
    case -2: return {code, {detail, "Varelo Error :"}};
    case -3: return {code, {"Can't write to varelo"}};
    case -4: return {code, {"Can't open " + std::string(detail) + " file"}};
    case -5: return {code, {"Unknown command"}};
    case -6:
      if (detail.empty()) return {code, {"Can't open device out"}};
      return {code, {"Can't open device out", detail}};
    case -7: return {code, {"Can't load the " + std::string(detail) + " database"}};
    case -8: return {code, {"Can't create main thread"}};
    case -9: return {code, {"No resource available"}};
    case -10: return {code, {"Registry keys not found"}};
    case -11: return {code, {"Varelo DLL not found"}};
    default: return {code, {}};
  }
}

}  // namespace mowik
