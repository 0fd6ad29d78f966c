#include "vrlplay/stack_error.h"

#include <string>

#include "vrlplay/vrlplay.h"

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
    case VRL_ERR_CANCELLED: return {code, {"Cancelled by user"}};
    case VRL_ERR_ENGINE: return {code, {detail, "Varelo Error :"}};
    case VRL_ERR_WRITE: return {code, {"Can't write to varelo"}};
    case VRL_ERR_OPEN_FILE: return {code, {"Can't open " + std::string(detail) + " file"}};
    case VRL_ERR_BAD_COMMAND: return {code, {"Unknown command"}};
    case VRL_ERR_OPEN_OUTPUT:
      if (detail.empty()) return {code, {"Can't open device out"}};
      return {code, {"Can't open device out", detail}};
    case VRL_ERR_LOAD_DATABASE: return {code, {"Can't load the " + std::string(detail) + " database"}};
    case VRL_ERR_THREAD: return {code, {"Can't create main thread"}};
    case VRL_ERR_RESOURCE: return {code, {"No resource available"}};
    case VRL_ERR_REGISTRY: return {code, {"Registry keys not found"}};
    case VRL_ERR_NO_ENGINE: return {code, {"Varelo DLL not found"}};
    default: return {code, {}};
  }
}

}  // namespace mowik
