#pragma once
// Under Wine every Windows thread is a Linux thread and the Z: drive reaches Linux's /proc, so
// a Windows test or benchmark can count how often the threads of a process woke up. Windows
// only; outside Wine the functions find nothing.
#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>

namespace mowik::testing {

// Context switches (voluntary and not) of every thread of a Linux process so far, by its id
// (LinuxProcessWith: Wine does not reach a program's own process through /proc/self). -1 when
// its /proc folder cannot be read.
inline long long ContextSwitches(const std::string& process) {
  const std::string tasks = "Z:\\proc\\" + process + "\\task\\";
  WIN32_FIND_DATAA found{};
  HANDLE search = FindFirstFileA((tasks + "*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return -1;
  long long total = 0;
  do {
    if (found.cFileName[0] == '.') continue;
    std::ifstream status(tasks + found.cFileName + "\\status");
    std::string line;
    while (std::getline(status, line)) {
      std::istringstream fields(line);
      std::string name;
      long long count = 0;
      if (fields >> name >> count && (name == "voluntary_ctxt_switches:" || name == "nonvoluntary_ctxt_switches:"))
        total += count;
    }
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return total;
}

// The Linux id of the first process whose command line holds part (a program's file name, as
// Wine starts it), or an empty text.
inline std::string LinuxProcessWith(const std::string& part) {
  WIN32_FIND_DATAA found{};
  HANDLE search = FindFirstFileA("Z:\\proc\\*", &found);
  if (search == INVALID_HANDLE_VALUE) return {};
  std::string id;
  do {
    const std::string name = found.cFileName;
    if (name.empty() || name.find_first_not_of("0123456789") != std::string::npos) continue;
    std::ifstream in("Z:\\proc\\" + name + "\\cmdline", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    if (text.str().find(part) != std::string::npos) id = name;
  } while (id.empty() && FindNextFileA(search, &found));
  FindClose(search);
  return id;
}

}  // namespace mowik::testing
