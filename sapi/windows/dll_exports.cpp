// mowik-sapi.dll's four exports: the class factory of the voice, whether the DLL may go, and
// its registration (regsvr32).
#include <new>

#include "sapi/windows/mowik_voice.h"
#include "sapi/windows/voice_registration.h"
#include "win32/module_folder.h"

namespace mowik {
namespace {

class VoiceFactory final : public IClassFactory {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
    if (!object) return E_POINTER;
    if (!IsEqualGUID(riid, IID_IUnknown) && !IsEqualGUID(riid, IID_IClassFactory)) {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    *object = static_cast<IClassFactory*>(this);
    AddRef();
    return S_OK;
  }
  // The factory is a static object: its count only keeps the DLL loaded.
  ULONG STDMETHODCALLTYPE AddRef() override {
    ++gModuleUsers;
    return 2;
  }
  ULONG STDMETHODCALLTYPE Release() override {
    --gModuleUsers;
    return 1;
  }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    MowikVoice* voice = new (std::nothrow) MowikVoice();
    if (!voice) return E_OUTOFMEMORY;
    const HRESULT hr = voice->QueryInterface(riid, object);
    voice->Release();
    return hr;
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
    if (lock)
      ++gModuleUsers;
    else
      --gModuleUsers;
    return S_OK;
  }
};

VoiceFactory gFactory;

}  // namespace
}  // namespace mowik

extern "C" {

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    DisableThreadLibraryCalls(instance);
  }
  return TRUE;
}

HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID riid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (!IsEqualGUID(clsid, mowik::kClsidMowikVoice)) return CLASS_E_CLASSNOTAVAILABLE;
  return mowik::gFactory.QueryInterface(riid, object);
}

HRESULT STDAPICALLTYPE DllCanUnloadNow() { return mowik::gModuleUsers == 0 ? S_OK : S_FALSE; }

HRESULT STDAPICALLTYPE DllRegisterServer() {
  const std::wstring path = mowik::win32::ModuleFileName(mowik::win32::ThisModule());
  return path.empty() ? E_UNEXPECTED : mowik::RegisterVoice(path);
}

HRESULT STDAPICALLTYPE DllUnregisterServer() { return mowik::UnregisterVoice(); }

}  // extern "C"
