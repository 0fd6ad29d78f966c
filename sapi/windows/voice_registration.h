#pragma once
// What regsvr32 writes for the voice and takes away again: the COM class (in-process server,
// both threading models) and the voice token in SAPI's voice category, all under
// HKEY_LOCAL_MACHINE (a 32-bit DLL's go to the 32-bit view, where 32-bit SAPI looks).

#include <windows.h>

#include <string>
#include <vector>

namespace mowik {

inline constexpr wchar_t kVoiceName[] = L"Mowik (polski)";
inline constexpr wchar_t kVoiceTokenKey[] = L"SOFTWARE\\Microsoft\\Speech\\Voices\\Tokens\\MowikPolski";
// The keys above the token that registration may have had to create; unregistration removes
// those of them that are left empty (no value, no subkey), deepest first.
inline constexpr const wchar_t* kVoiceTokenParents[] = {
    L"SOFTWARE\\Microsoft\\Speech\\Voices\\Tokens", L"SOFTWARE\\Microsoft\\Speech\\Voices",
    L"SOFTWARE\\Microsoft\\Speech"};

// One string value: the key under HKEY_LOCAL_MACHINE, the value's name (empty: the default
// value) and its text.
struct RegistryValue {
  std::wstring key;
  std::wstring name;
  std::wstring data;
};

// The class's key under HKEY_LOCAL_MACHINE.
std::wstring VoiceClassKey();

// Every value registration writes, for the DLL at dllPath, parents before children.
std::vector<RegistryValue> VoiceRegistryValues(const std::wstring& dllPath);

// Writes them all; on a failure removes what it wrote and returns the error.
HRESULT RegisterVoice(const std::wstring& dllPath);
// Removes the class and the token with everything below them, and the parents left empty.
// S_OK also when nothing was registered.
HRESULT UnregisterVoice();

}  // namespace mowik
