// regsvr32 on the Windows folder's mowik-sapi.dll under Wine: the voice appears in SAPI's
// voice category and can be created from its token, and unregistration leaves the registry
// as it found it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>

#include "sapi/windows/tests/dll_under_test.h"

namespace mowik {
namespace {

constexpr wchar_t kSpeechKey[] = L"SOFTWARE\\Microsoft\\Speech";
constexpr wchar_t kTokenKey[] = L"SOFTWARE\\Microsoft\\Speech\\Voices\\Tokens\\MowikPolski";
const std::wstring kClassKey = std::wstring(L"SOFTWARE\\Classes\\CLSID\\") + kClsidMowikVoiceText;

using Snapshot = std::map<std::wstring, std::wstring>;

// Every key and value below path, as "key" -> "" and "key|name" -> "type:bytes".
void Dump(const std::wstring& path, Snapshot& out) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
  out[path] = L"";
  for (DWORD i = 0;; ++i) {
    wchar_t name[256];
    DWORD nameLength = 256, type = 0, bytes = 0;
    BYTE data[2048];
    bytes = sizeof data;
    if (RegEnumValueW(key, i, name, &nameLength, nullptr, &type, data, &bytes) != ERROR_SUCCESS) break;
    out[path + L"|" + name] = std::to_wstring(type) + L":" + std::wstring(reinterpret_cast<wchar_t*>(data), bytes / 2);
  }
  std::vector<std::wstring> subkeys;
  for (DWORD i = 0;; ++i) {
    wchar_t name[256];
    DWORD nameLength = 256;
    if (RegEnumKeyExW(key, i, name, &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    subkeys.push_back(path + L"\\" + name);
  }
  RegCloseKey(key);
  for (const std::wstring& subkey : subkeys) Dump(subkey, out);
}

Snapshot Registry() {
  Snapshot snapshot;
  Dump(kSpeechKey, snapshot);
  Dump(kClassKey, snapshot);
  return snapshot;
}

std::wstring Value(const std::wstring& key, const wchar_t* name) {
  wchar_t data[1024];
  DWORD bytes = sizeof data;
  if (RegGetValueW(HKEY_LOCAL_MACHINE, key.c_str(), name, RRF_RT_REG_SZ, nullptr, data, &bytes) != ERROR_SUCCESS)
    return L"<none>";
  return data;
}

DWORD Regsvr32(const wchar_t* options) {
  return RunProgram(std::wstring(L"regsvr32.exe ") + options + L" \"" + kSapiDll + L"\"");
}

// The voice tokens of SAPI's voice category with Language 415, by their ids: through SAPI's
// own token category where Wine has it, else read from the registry as SAPI would.
std::vector<std::wstring> PolishVoiceTokens(bool& throughSapi) {
  std::vector<std::wstring> ids;
  throughSapi = false;
  ISpObjectTokenCategory* category = nullptr;
  if (SUCCEEDED(CoCreateInstance(CLSID_SpObjectTokenCategory, nullptr, CLSCTX_ALL, IID_ISpObjectTokenCategory,
                                 reinterpret_cast<void**>(&category)))) {
    IEnumSpObjectTokens* tokens = nullptr;
    if (SUCCEEDED(category->SetId(SPCAT_VOICES, FALSE)) &&
        SUCCEEDED(category->EnumTokens(L"Language=415", nullptr, &tokens)) && tokens) {
      throughSapi = true;
      ISpObjectToken* token = nullptr;
      while (tokens->Next(1, &token, nullptr) == S_OK) {
        wchar_t* id = nullptr;
        if (SUCCEEDED(token->GetId(&id))) {
          ids.emplace_back(id);
          CoTaskMemFree(id);
        }
        token->Release();
      }
      tokens->Release();
    }
    category->Release();
  }
  if (throughSapi) return ids;
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Speech\\Voices\\Tokens", 0, KEY_READ, &key) != ERROR_SUCCESS)
    return ids;
  for (DWORD i = 0;; ++i) {
    wchar_t name[256];
    DWORD length = 256;
    if (RegEnumKeyExW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    const std::wstring token = std::wstring(L"SOFTWARE\\Microsoft\\Speech\\Voices\\Tokens\\") + name;
    if (Value(token + L"\\Attributes", L"Language") == L"415")
      ids.push_back(std::wstring(L"HKEY_LOCAL_MACHINE\\") + token);
  }
  RegCloseKey(key);
  return ids;
}

class RegistrationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    Regsvr32(L"/u /s");  // a run that failed half-way leaves nothing behind
  }
  void TearDown() override {
    Regsvr32(L"/u /s");
    CoUninitialize();
  }
};

TEST_F(RegistrationTest, RegistersTheVoiceAndRemovesEveryKeyAgain) {
  const Snapshot before = Registry();
  ASSERT_EQ(Regsvr32(L"/s"), 0u);

  EXPECT_EQ(Value(kTokenKey, nullptr), L"Mowik (polski)");
  EXPECT_EQ(Value(kTokenKey, L"415"), L"Mowik (polski)");
  EXPECT_EQ(Value(kTokenKey, L"CLSID"), kClsidMowikVoiceText);
  const std::wstring attributes = std::wstring(kTokenKey) + L"\\Attributes";
  EXPECT_EQ(Value(attributes, L"Language"), L"415");
  EXPECT_EQ(Value(attributes, L"Gender"), L"Male");
  EXPECT_EQ(Value(attributes, L"Age"), L"Adult");
  EXPECT_EQ(Value(attributes, L"Vendor"), L"Mowik");
  EXPECT_EQ(Value(attributes, L"Name"), L"Mowik (polski)");
  EXPECT_EQ(Value(kClassKey + L"\\InprocServer32", L"ThreadingModel"), L"Both");
  const std::wstring server = Value(kClassKey + L"\\InprocServer32", nullptr);
  EXPECT_EQ(GetFileAttributesW(server.c_str()) != INVALID_FILE_ATTRIBUTES, true) << "InprocServer32 is " << std::string(server.begin(), server.end());

  ASSERT_EQ(Regsvr32(L"/u /s"), 0u);
  EXPECT_EQ(Registry(), before);
  EXPECT_EQ(Regsvr32(L"/u /s"), 0u);  // nothing left to remove is no failure
  EXPECT_EQ(Registry(), before);
}

TEST_F(RegistrationTest, TheVoiceIsFoundInTheVoicesCategoryAndCreatedFromItsToken) {
  ASSERT_EQ(Regsvr32(L"/s"), 0u);
  bool throughSapi = false;
  const std::vector<std::wstring> ids = PolishVoiceTokens(throughSapi);
  RecordProperty("enumerated_by", throughSapi ? "SpObjectTokenCategory" : "registry");
  std::printf("the voice category was enumerated through %s\n", throughSapi ? "SAPI's SpObjectTokenCategory" : "the registry");
  const auto found = std::find_if(ids.begin(), ids.end(), [](const std::wstring& id) {
    return id.size() >= 11 && id.compare(id.size() - 11, 11, L"MowikPolski") == 0;
  });
  ASSERT_NE(found, ids.end());

  // What SAPI does with the token: the class it names, created in-process.
  CLSID clsid{};
  ASSERT_EQ(CLSIDFromString(Value(kTokenKey, L"CLSID").c_str(), &clsid), NOERROR);
  ISpTTSEngine* engine = nullptr;
  ASSERT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, kIidSpTtsEngine, reinterpret_cast<void**>(&engine)), S_OK);
  engine->Release();
}

}  // namespace
}  // namespace mowik
