#pragma once
// Where the native speaker plays when it writes no file: a sound device taking 16-bit mono
// samples as they are synthesised.

#include <cstddef>
#include <cstdint>
#include <string>

namespace mowik {

class PcmOutput {
 public:
  virtual ~PcmOutput() = default;
  // Opens the device for 16-bit mono samples at rate (Hz). False with error set (one line
  // naming the device) when it is missing, busy or refuses the format.
  virtual bool Start(int rate, std::string& error) = 0;
  // Plays count samples, blocking while the device is full. False with error set.
  virtual bool Play(const int16_t* samples, size_t count, std::string& error) = 0;
  // Waits until every sample has been heard and closes the device.
  virtual bool Finish(std::string& error) = 0;
};

}  // namespace mowik
