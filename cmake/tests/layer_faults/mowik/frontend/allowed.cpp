// Allowed: a layer below, and beside the file.
#include "mowik/verbalise/normalise_text.h"
#include "phoneme_sink.h"
#include <string>
