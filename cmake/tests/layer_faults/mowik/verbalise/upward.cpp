// Upward: the normaliser may not know the reader.
#include "mowik/shell/hot_keys.h"
#include "mowik/program/table_model.h"
