// Allowed in a test: the shared test helpers.
#include "testing/scratch_file.h"
