#include "mowik/platform/program_folder.h"
#include "win32/module_folder.h"

namespace mowik {

std::wstring ExecutableFolder::Path() const { return win32::ModuleFolder(nullptr); }

}  // namespace mowik
