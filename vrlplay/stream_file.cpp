#include "vrlplay/stream_file.h"

#include <cstdio>
#include <memory>

#include "vrlplay/stack_error.h"
#include "vrlplay/vrlplay.h"

namespace mowik {
namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

std::string ReadStreamFile(const std::string& name) {
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(name.c_str(), "rb"));
  if (!file) throw CStackError::Of(VRL_ERR_OPEN_FILE, name);

  std::string raw;
  char block[65536];
  for (;;) {
    const size_t got = std::fread(block, 1, sizeof block, file.get());
    if (got == 0) break;
    if (static_cast<int64_t>(raw.size() + got) > kMaxStreamFileBytes) throw CStackError::Of(VRL_ERR_OPEN_FILE, name);
    raw.append(block, got);
  }
  if (std::ferror(file.get())) throw CStackError::Of(VRL_ERR_OPEN_FILE, name);

  // Read as a text file: a Ctrl-Z (which old editors put at the end) ends the text.
  const size_t end = raw.find('\x1A');
  if (end != std::string::npos) raw.resize(end);

  std::string text;
  text.reserve(raw.size() + 1);
  for (size_t i = 0; i < raw.size(); ++i) {
    if (raw[i] == '\r' && i + 1 < raw.size() && raw[i + 1] == '\n') continue;
    text.push_back(raw[i]);
  }
  if (!text.empty() && text.back() != '\n') text.push_back('\n');
  return text;
}

}  // namespace mowik
