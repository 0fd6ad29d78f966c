// Arbitrary bytes as a settings file, as Contents and as a compressed form, and arbitrary
// 16-bit text as the Base64 form: no crash, no hang, no unbounded allocation, and whatever
// was read serialises to bytes that read back the same.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "mowik/settings/compress_bytes.h"
#include "mowik/settings/property_bag_class.h"

namespace {

void CheckStable(const mowik::PropertyBagClass& bag) {
  const std::vector<uint8_t> bytes = bag.Contents();
  mowik::PropertyBagClass again;
  again.SetContents(bytes);
  if (again.Contents() != bytes) __builtin_trap();
  for (const auto& [name, value] : bag.Bag().Entries()) {
    (void)mowik::AsInt32(value);
    (void)mowik::AsText(value);
  }
}

const std::string& FilePath() {
  static const std::string path = "/tmp/mowik-bag-fuzz-" + std::to_string(getpid()) + ".conf";
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<uint8_t> bytes(data, data + size);

  mowik::PropertyBagClass contents;
  contents.SetContents(bytes);
  CheckStable(contents);

  const std::vector<uint8_t> plain = mowik::DecompressBytes(bytes);
  if (plain.size() > mowik::kMaxUncompressedSize) __builtin_trap();

  if (FILE* file = std::fopen(FilePath().c_str(), "wb")) {
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    mowik::PropertyBagClass loaded;
    const bool read = loaded.LoadFromFile(std::wstring(FilePath().begin(), FilePath().end()));
    std::remove(FilePath().c_str());
    if (read != (size > 0)) __builtin_trap();
    CheckStable(loaded);
  }

  std::wstring text;
  for (size_t i = 0; i + 1 < size; i += 2) text.push_back(static_cast<wchar_t>(data[i] | (data[i + 1] << 8)));
  mowik::PropertyBagClass fromText;
  fromText.LoadFromString(text);
  CheckStable(fromText);
  return 0;
}
