#include "varelo/module_folder.h"
#include "win32/ansi_text.h"
#include "win32/module_folder.h"

namespace mowik {

// The engine opens its files through 8-bit paths, so the folder goes in the ANSI code page.
std::string EngineFolder() { return win32::AnsiFromWide(win32::ModuleFolder(win32::ThisModule())); }

}  // namespace mowik
