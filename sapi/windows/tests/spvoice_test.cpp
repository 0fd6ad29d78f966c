// Wine's own SAPI (sapi.dll's SpVoice) driving the registered voice into a WAV stream, as a
// Windows program would. Where Wine's SAPI lacks a step the case says which and is skipped.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

#include "sapi/windows/tests/dll_under_test.h"
#include "sapi/windows/tests/test_site.h"

namespace mowik {
namespace {

std::string Hex(HRESULT hr) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08lx", static_cast<unsigned long>(hr));
  return text;
}

// The samples of a 16-bit PCM WAV file's data chunk.
std::vector<int16_t> WavSamples(const std::wstring& path) {
  std::ifstream file(path.c_str(), std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  std::vector<int16_t> samples;
  for (size_t at = 12; at + 8 <= bytes.size();) {
    uint32_t size = 0;
    std::memcpy(&size, bytes.data() + at + 4, 4);
    if (bytes.compare(at, 4, "data") == 0) {
      const size_t n = std::min<size_t>(size, bytes.size() - at - 8) / 2;
      samples.resize(n);
      std::memcpy(samples.data(), bytes.data() + at + 8, n * 2);
      break;
    }
    at += 8 + size + (size & 1);
  }
  return samples;
}

class SpVoiceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    ASSERT_EQ(RunProgram(L"regsvr32.exe /s \"" + kSapiDll + L"\""), 0u);
  }
  void TearDown() override {
    for (IUnknown* object : objects) object->Release();
    RunProgram(L"regsvr32.exe /u /s \"" + kSapiDll + L"\"");
    CoUninitialize();
  }
  template <class T>
  T* Keep(T* object) {
    if (object) objects.insert(objects.begin(), object);
    return object;
  }
  std::vector<IUnknown*> objects;  // released newest first
};

TEST_F(SpVoiceTest, SpeaksThroughWinesSpVoiceIntoAWavStream) {
  const std::wstring text = L"Ala ma kota.";
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring wav = std::wstring(temp) + L"mowik_spvoice.wav";
  DeleteFileW(wav.c_str());

  ISpObjectToken* token = nullptr;
  HRESULT hr = CoCreateInstance(CLSID_SpObjectToken, nullptr, CLSCTX_ALL, IID_ISpObjectToken, reinterpret_cast<void**>(&token));
  if (FAILED(hr)) GTEST_SKIP() << "Wine's SAPI has no SpObjectToken: " << Hex(hr);
  Keep(token);
  hr = token->SetId(nullptr, L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Speech\\Voices\\Tokens\\MowikPolski", FALSE);
  ASSERT_EQ(hr, S_OK) << "the registered token cannot be opened: " << Hex(hr);

  ISpVoice* voice = nullptr;
  hr = CoCreateInstance(CLSID_SpVoice, nullptr, CLSCTX_ALL, IID_ISpVoice, reinterpret_cast<void**>(&voice));
  if (FAILED(hr)) GTEST_SKIP() << "Wine's SAPI has no SpVoice: " << Hex(hr);
  Keep(voice);
  // Without SetVoice SAPI would speak with its default voice, not this one; Speak is still
  // tried below, so that the skip names every step Wine lacks.
  std::string missing;
  hr = voice->SetVoice(token);
  if (FAILED(hr)) missing += "ISpVoice::SetVoice " + Hex(hr) + "; ";

  ISpStream* stream = nullptr;
  hr = CoCreateInstance(CLSID_SpStream, nullptr, CLSCTX_ALL, IID_ISpStream, reinterpret_cast<void**>(&stream));
  if (FAILED(hr)) GTEST_SKIP() << "Wine's SAPI has no SpStream: " << Hex(hr);
  const WAVEFORMATEX format = VoiceFormat();
  // A WAV file where SpStream can bind one, else a stream in memory (raw samples).
  IStream* memory = nullptr;
  hr = stream->BindToFile(wav.c_str(), SPFM_CREATE_ALWAYS, &kFormatWaveFormatEx, &format, 0);
  if (FAILED(hr)) {
    std::printf("Wine's ISpStream::BindToFile fails (%s); speaking into a stream in memory\n", Hex(hr).c_str());
    CreateStreamOnHGlobal(nullptr, TRUE, &memory);
    hr = stream->SetBaseStream(memory, kFormatWaveFormatEx, &format);
    if (FAILED(hr)) missing += "ISpStream::SetBaseStream " + Hex(hr) + "; ";
  }
  hr = voice->SetOutput(stream, TRUE);
  if (FAILED(hr)) missing += "ISpVoice::SetOutput " + Hex(hr) + "; ";
  hr = voice->Speak(text.c_str(), SPF_DEFAULT, nullptr);
  const HRESULT waited = SUCCEEDED(hr) ? voice->WaitUntilDone(60000) : hr;
  if (FAILED(hr)) missing += "ISpVoice::Speak " + Hex(hr) + "; ";
  voice->SetOutput(nullptr, TRUE);
  stream->Close();
  stream->Release();
  std::vector<int16_t> written;
  if (memory) {
    HGLOBAL global = nullptr;
    GetHGlobalFromStream(memory, &global);
    STATSTG stat{};
    memory->Stat(&stat, STATFLAG_NONAME);
    written.resize(static_cast<size_t>(stat.cbSize.QuadPart / 2));
    if (const void* data = GlobalLock(global)) {
      std::memcpy(written.data(), data, written.size() * 2);
      GlobalUnlock(global);
    }
    memory->Release();
  } else {
    written = WavSamples(wav);
  }
  DeleteFileW(wav.c_str());
  if (!missing.empty()) GTEST_SKIP() << "Wine's SpVoice cannot drive a third-party engine into a stream: " << missing;
  EXPECT_EQ(waited, S_OK);

  // What SAPI wrote is what the engine gives for the same text directly.
  ISpTTSEngine* engine = CreateEngineFromDll();
  ASSERT_NE(engine, nullptr);
  TestSite site;
  FragmentList list;
  list.Speak(text);
  const WAVEFORMATEX ours = VoiceFormat();
  ASSERT_EQ(engine->Speak(0, kFormatWaveFormatEx, &ours, list.Head(), &site), S_OK);
  engine->Release();
  EXPECT_EQ(written.size(), site.Samples().size());
  EXPECT_TRUE(written == site.Samples());
}

}  // namespace
}  // namespace mowik
