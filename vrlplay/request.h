#pragma once
// CRequest: one entry of the player's queue, holding its own copies of every string.

#include <cstdint>
#include <optional>
#include <string>

namespace mowik {

enum RequestType : int {
  kSelectDatabase = 0,
  kSelectDatabaseEx = 1,
  kPhonemeFile = 2,
  kCommandFile = 3,
  kPhonemeText = 4,
  kCommandText = 5,
  kPitchRatio = 6,
  kDurationRatio = 7,
};

struct CRequest {
  int type = kPhonemeText;
  std::string text;   // phoneme text, command text, file name or database id (types 0 to 5)
  float ratio = 0.0f; // types 6 and 7
  int flags = 0;      // the VRL_Play flag word; 0 for the other types
  std::optional<std::string> outFile;  // types 2 to 5: the output file name
  uintptr_t target = 0;                // types 2 to 5: window handle or function address
  std::optional<std::string> first;    // type 1: the two optional strings for the engine
  std::optional<std::string> second;
};

// Request type of a VRL_Play flag word: command file 3, command text 5, phoneme file 2,
// phoneme text 4.
int PlayRequestType(int flags);
// Kind of a play request as notifications give it: the flag word's VRL_FROM_FILE and
// VRL_COMMANDS bits.
int RequestKind(int flags);
// Copies of the strings, with null pointers kept as none.
std::optional<std::string> CopyOfText(const char* text);

}  // namespace mowik
