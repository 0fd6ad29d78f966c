// Arbitrary bytes as mowik-say's arguments (split at NUL bytes) and as a dictionary file: no
// crash, no hang, and a parse either succeeds or says why.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "tools/dictionary_file.h"
#include "tools/say_arguments.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);

  std::vector<std::string> args;
  size_t start = 0;
  for (size_t nul; (nul = bytes.find('\0', start)) != std::string::npos; start = nul + 1)
    args.push_back(bytes.substr(start, nul - start));
  args.push_back(bytes.substr(start));
  mowik::SayArguments parsed;
  const std::string error = mowik::ParseSayArguments(args, parsed);
  if (error.empty() && parsed.action == mowik::SayAction::Run) {
    std::string flagsError;
    (void)mowik::FileOutputFlags(parsed.speech, flagsError);
    if (parsed.random_draw && !(*parsed.random_draw >= 0.0 && *parsed.random_draw < 1.0)) __builtin_trap();
  }

  std::string dictError;
  const auto rows = mowik::ParseDictionary(bytes, dictError);
  if (rows.has_value() == !dictError.empty()) __builtin_trap();
  if (rows)
    for (const auto& row : *rows)
      if (row.find.find(L'\n') != std::wstring::npos || row.find.find(L'\t') != std::wstring::npos) __builtin_trap();
  return 0;
}
