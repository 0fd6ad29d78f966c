#pragma once
// A file name for the 8-bit (ANSI) calls of the player library, which cannot carry every
// character a Windows file name may hold.
#include <string>

namespace mowik::win32 {

// A name by which ANSI calls reach the file at path: path itself when it converts to the ANSI
// code page and back unchanged; otherwise the file's short (8.3) name, which is ASCII. For the
// short name the file must exist, so a missing one is created empty first (and removed again
// when no short name can be had). Empty when neither works: short names are turned off on
// that volume, or the folder does not exist.
std::string AnsiPathTo(const std::wstring& path);

}  // namespace mowik::win32
