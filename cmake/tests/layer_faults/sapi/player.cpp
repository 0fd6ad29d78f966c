// The player's header is the one statement of its calls, but the voice reaches the engine core only.
#include "vrlplay/vrlplay.h"
#include "varelo/engine.h"
