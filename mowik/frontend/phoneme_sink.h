#pragma once
#include <string>

namespace mowik {

// Where the pipeline hands the phoneme text of a whole utterance: the speech output bridge in
// the program, a printer or a recorder in tools and tests. The text may be empty.
class PhonemeSink {
 public:
  virtual ~PhonemeSink() = default;
  virtual void PlaySampa(const std::string& phonemeText) = 0;
};

}  // namespace mowik
