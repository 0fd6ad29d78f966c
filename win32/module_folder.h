#pragma once
// Where a module lives: the file and folder of a program or DLL, at any path length.
#include <windows.h>

#include <string>

namespace mowik::win32 {

// The module this code is linked into (each DLL and program links its own copy of this
// library, so in a DLL it is the DLL, not the program that loaded it).
HMODULE ThisModule();

// Full file name of module (nullptr: the program); empty when it cannot be found.
std::wstring ModuleFileName(HMODULE module);

// Folder of module (nullptr: the program), without a trailing separator; empty when it cannot
// be found.
std::wstring ModuleFolder(HMODULE module);

}  // namespace mowik::win32
