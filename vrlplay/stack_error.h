#pragma once
// CStackError: the player's error record and the exception that carries an error from deep
// inside a request back to the play thread's loop.

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace mowik {

class CStackError {
 public:
  CStackError() = default;
  // The code with a message built from texts: the first text is the message, each further
  // one is put in front of it followed by CR LF. No texts: no message.
  CStackError(int code, std::initializer_list<std::string_view> texts);

  // The player's own error for code: its fixed message, with detail where the code takes one
  // (-2 engine text, -4 file name, -6 output file name or empty for the device, -7 database id).
  // Codes outside -1 to -11 carry no message.
  static CStackError Of(int code, std::string_view detail = {});

  int Code() const { return code_; }
  const std::optional<std::string>& Message() const { return message_; }

 private:
  int code_ = 0;
  std::optional<std::string> message_;
};

}  // namespace mowik
