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

  // The player's own error for code (a VRL_ERR_ code of vrlplay.h): its fixed message, with
  // detail where the code takes one (VRL_ERR_ENGINE the engine's text, VRL_ERR_OPEN_FILE the
  // file name, VRL_ERR_OPEN_OUTPUT the output file name or empty for the device,
  // VRL_ERR_LOAD_DATABASE the database id). Other codes carry no message.
  static CStackError Of(int code, std::string_view detail = {});

  int Code() const { return code_; }
  const std::optional<std::string>& Message() const { return message_; }

 private:
  int code_ = 0;
  std::optional<std::string> message_;
};

}  // namespace mowik
