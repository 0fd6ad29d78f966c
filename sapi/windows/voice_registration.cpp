#include "sapi/windows/voice_registration.h"

#include "sapi/windows/sapi_engine_api.h"

namespace mowik {
namespace {

HRESULT FromStatus(LSTATUS status) { return status == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(status); }

HRESULT SetString(const RegistryValue& value) {
  HKEY key = nullptr;
  LSTATUS status = RegCreateKeyExW(HKEY_LOCAL_MACHINE, value.key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                   KEY_SET_VALUE, nullptr, &key, nullptr);
  if (status != ERROR_SUCCESS) return FromStatus(status);
  const DWORD bytes = static_cast<DWORD>((value.data.size() + 1) * sizeof(wchar_t));
  status = RegSetValueExW(key, value.name.empty() ? nullptr : value.name.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(value.data.c_str()), bytes);
  RegCloseKey(key);
  return FromStatus(status);
}

HRESULT DeleteTree(const std::wstring& path) {
  LSTATUS status = RegDeleteTreeW(HKEY_LOCAL_MACHINE, path.c_str());
  if (status == ERROR_FILE_NOT_FOUND) return S_OK;
  if (status != ERROR_SUCCESS) return FromStatus(status);
  // The tree call removes the key itself too; should it leave the emptied key, it goes here.
  status = RegDeleteKeyW(HKEY_LOCAL_MACHINE, path.c_str());
  return status == ERROR_FILE_NOT_FOUND ? S_OK : FromStatus(status);
}

// Removes the key when it holds nothing at all.
void DeleteIfEmpty(const wchar_t* path) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return;
  DWORD subkeys = 1, values = 1;
  const LSTATUS status =
      RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr, nullptr, nullptr, nullptr);
  RegCloseKey(key);
  if (status == ERROR_SUCCESS && subkeys == 0 && values == 0) RegDeleteKeyW(HKEY_LOCAL_MACHINE, path);
}

}  // namespace

std::wstring VoiceClassKey() { return std::wstring(L"SOFTWARE\\Classes\\CLSID\\") + kClsidMowikVoiceText; }

std::vector<RegistryValue> VoiceRegistryValues(const std::wstring& dllPath) {
  const std::wstring clsid = VoiceClassKey();
  const std::wstring token = kVoiceTokenKey;
  const std::wstring attributes = token + L"\\Attributes";
  return {
      {clsid, L"", kVoiceName},
      {clsid + L"\\InprocServer32", L"", dllPath},
      {clsid + L"\\InprocServer32", L"ThreadingModel", L"Both"},
      {token, L"", kVoiceName},
      {token, L"415", kVoiceName},  // the name in Polish (language 0x415)
      {token, L"CLSID", kClsidMowikVoiceText},
      {attributes, L"Language", L"415"},
      {attributes, L"Gender", L"Male"},
      {attributes, L"Age", L"Adult"},
      {attributes, L"Vendor", L"Mowik"},
      {attributes, L"Name", kVoiceName},
  };
}

HRESULT RegisterVoice(const std::wstring& dllPath) {
  for (const RegistryValue& value : VoiceRegistryValues(dllPath)) {
    const HRESULT hr = SetString(value);
    if (FAILED(hr)) {
      UnregisterVoice();
      return hr;
    }
  }
  return S_OK;
}

HRESULT UnregisterVoice() {
  const HRESULT token = DeleteTree(kVoiceTokenKey);
  const HRESULT clsid = DeleteTree(VoiceClassKey());
  for (const wchar_t* parent : kVoiceTokenParents) DeleteIfEmpty(parent);
  return FAILED(token) ? token : clsid;
}

}  // namespace mowik
