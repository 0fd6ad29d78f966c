#pragma once
// The folder of the module that holds the engine: varelo.dll in the Windows build, the program
// itself where the engine is linked in. Empty when it cannot be found.

#include <string>

namespace mowik {

std::string EngineFolder();

}  // namespace mowik
