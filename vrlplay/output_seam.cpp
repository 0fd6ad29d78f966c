#include "vrlplay/output_seam.h"

#include "vrlplay/vrlplay.h"

namespace mowik {

int OutputKindOf(int flags) {
  if (flags & VRL_OUT_FILE_TYPE0) return 0;
  if (flags & VRL_OUT_FILE_TYPE1) return 1;
  if (flags & VRL_OUT_FILE_TYPE2) return 2;
  return 4;
}

}  // namespace mowik
