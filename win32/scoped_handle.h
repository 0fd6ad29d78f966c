#pragma once
// Owners of Win32 handles: each closes its handle when it goes out of scope, can be moved but
// not copied, and hands the raw handle to API calls through Get(). ScopedHandle closes kernel
// objects (events, threads, processes; both null and INVALID_HANDLE_VALUE count as none),
// ScopedModule frees a loaded library, ScopedKey closes a registry key.
#include <windows.h>

#include <utility>

namespace mowik::win32 {

template <typename Traits>
class Scoped {
 public:
  using Type = typename Traits::Type;

  Scoped() = default;
  explicit Scoped(Type value) : value_(value) {}
  ~Scoped() { Reset(); }
  Scoped(const Scoped&) = delete;
  Scoped& operator=(const Scoped&) = delete;
  Scoped(Scoped&& other) noexcept : value_(other.Release()) {}
  Scoped& operator=(Scoped&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }

  Type Get() const { return value_; }
  explicit operator bool() const { return Traits::Valid(value_); }

  // Gives up ownership without closing; the owner holds none afterwards.
  Type Release() { return std::exchange(value_, Traits::None()); }
  // Closes the handle held (if any) and takes value instead.
  void Reset(Type value = Traits::None()) {
    const Type old = std::exchange(value_, value);
    if (Traits::Valid(old)) Traits::Close(old);
  }
  // For API calls that return a handle through a pointer: closes the one held first.
  Type* Receive() {
    Reset();
    return &value_;
  }

 private:
  Type value_ = Traits::None();
};

struct HandleTraits {
  using Type = HANDLE;
  static HANDLE None() { return nullptr; }
  static bool Valid(HANDLE handle) { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }
  static void Close(HANDLE handle) { CloseHandle(handle); }
};

struct ModuleTraits {
  using Type = HMODULE;
  static HMODULE None() { return nullptr; }
  static bool Valid(HMODULE module) { return module != nullptr; }
  static void Close(HMODULE module) { FreeLibrary(module); }
};

struct KeyTraits {
  using Type = HKEY;
  static HKEY None() { return nullptr; }
  static bool Valid(HKEY key) { return key != nullptr; }
  static void Close(HKEY key) { RegCloseKey(key); }
};

using ScopedHandle = Scoped<HandleTraits>;
using ScopedModule = Scoped<ModuleTraits>;
using ScopedKey = Scoped<KeyTraits>;

}  // namespace mowik::win32
