/* vrlplay.h as a C program sees it: the declarations compile as C and the types are
   pointer-sized where handles and addresses pass. */
#include "vrlplay/vrlplay.h"

int VRL_API ExampleNotify(unsigned int message, VRL_PARAM first, VRL_PARAM second) {
  return (int)(message + (first != 0) + (second != 0));
}

typedef char param_holds_a_pointer[sizeof(VRL_PARAM) == sizeof(void *) ? 1 : -1];

int vrlplay_header_from_c(void) {
  VRL_NOTIFY_FUNCTION notify = ExampleNotify;
  return notify(VRL_DEFAULT_MSG_BASE + VRL_MSG_END, 0, 0) + VRL_ERR_NO_ENGINE + VRL_NO_OUTPUT;
}
