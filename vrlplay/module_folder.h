#pragma once
// The folder and instance of vrlplay.dll itself.

#include <string>

namespace mowik {

// Instance handle of the module holding this code (vrlplay.dll), as a plain pointer.
void* OwnModuleInstance();
// Its folder, with a trailing backslash; empty when it cannot be found.
std::string OwnModuleFolder();

}  // namespace mowik
