#include "vrlplay/copy_out.h"

#include <algorithm>
#include <cstring>

namespace mowik {

int CopyOut(std::optional<std::string_view> text, char* buf, int len) {
  if (!text || buf == nullptr || len < 1) return 0;
  const size_t n = std::min(text->size() + 1, static_cast<size_t>(len));
  std::memcpy(buf, text->data(), n - 1);
  buf[n - 1] = '\0';
  return static_cast<int>(n);
}

}  // namespace mowik
