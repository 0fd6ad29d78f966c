#include "mowik/program/version_text.h"

#include "version.h"

namespace mowik {
namespace {

std::wstring Padded(int value, size_t digits) {
  std::wstring text = std::to_wstring(value);
  if (text.size() < digits) text.insert(0, digits - text.size(), L'0');
  return text;
}

}  // namespace

std::wstring FormatVersion(int major, int minor, int revision, bool compact) {
  if (compact)
    return std::to_wstring(major) + L"." + std::to_wstring(minor) + L"." + std::to_wstring(revision);
  return L" " + std::to_wstring(major) + L"." + Padded(minor, 2) + L"." + Padded(revision, 4);
}

std::wstring VersionText(bool compact) {
  return FormatVersion(MOWIK_VERSION_MAJOR, MOWIK_VERSION_MINOR, MOWIK_VERSION_PATCH, compact);
}

}  // namespace mowik
