// The user's mowiksets.conf beside the DLL: its dictionary and voice profile are honoured.
// A copy of the DLL under another name in a folder of its own, so that it reads that folder's
// file with a fresh state of its own.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "mowik/platform/program_folder.h"
#include "mowik/program/main_module.h"
#include "mowik/program/table_model.h"
#include "mowik/settings/manage_settings.h"
#include "sapi/speak_job.h"
#include "sapi/tests/fake_site.h"
#include "sapi/windows/tests/dll_under_test.h"
#include "sapi/windows/tests/test_site.h"

namespace mowik {
namespace {

std::string FileBytes(const std::wstring& path) {
  std::ifstream file(path.c_str(), std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

TEST(SettingsBesideTheDllTest, DictionaryAndProfileOfTheFileAreUsed) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring folder = std::wstring(temp) + L"mowik_sapi_settings";
  CreateDirectoryW(folder.c_str(), nullptr);
  const std::wstring copy = folder + L"\\mowik-sapi-copy.dll";
  ASSERT_TRUE(CopyFileW(kSapiDll.c_str(), copy.c_str(), FALSE));
  ASSERT_TRUE(CopyFileW((kProductDir + L"/pl1").c_str(), (folder + L"\\pl1").c_str(), FALSE));

  // The settings the reader would save: «kot» reads «pies», the chosen profile is slower.
  InitialiseGlobals();
  const int32_t row = DictionaryTable().AddRow();
  DictionaryTable().SetCellText(row, 1, L"kot");
  DictionaryTable().SetCellText(row, 2, L"pies");
  for (const wchar_t* duration : {L"10", L"15"}) {
    const int32_t voice = VoicesTable().AddRow();
    VoicesTable().SetCellText(voice, 1, L"profil");
    VoicesTable().SetCellText(voice, 2, L"100");
    VoicesTable().SetCellText(voice, 3, duration);
    VoicesTable().SetCellText(voice, 4, L"16000");
  }
  CurrentVoice = 1;
  SaveSettings(FixedFolder(folder));
  const std::string saved = FileBytes(folder + L"\\mowiksets.conf");
  ASSERT_FALSE(saved.empty());

  // What the voice must say: the same walk in this process with those settings.
  SpeakerSettings settings;
  settings.durationRatio = 1.5;
  settings.natural = true;  // the file holds no "NaturalReading": the voice's own default
  settings.dictionary = &DictionaryTable();
  SentenceVoice voice;
  std::string error;
  ASSERT_TRUE(voice.Open("pl1", Narrow(kProductDir), error)) << error;
  Fragment fragment;
  fragment.text = L"Ala ma kota i kot ma Al\u0119.";
  FakeSite expected;
  ASSERT_EQ(SpeakFragments({fragment}, voice, settings, expected).outcome, SpeakOutcome::kDone);
  DictionaryTable().Clear();
  VoicesTable().Clear();
  InitialiseGlobals();

  HMODULE dll = LoadLibraryW(copy.c_str());
  ASSERT_NE(dll, nullptr);
  using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
  const auto get = reinterpret_cast<GetClassObject>(reinterpret_cast<void*>(GetProcAddress(dll, "DllGetClassObject")));
  IClassFactory* factory = nullptr;
  ASSERT_EQ(get(kClsidMowikVoice, IID_IClassFactory, reinterpret_cast<void**>(&factory)), S_OK);
  ISpTTSEngine* engine = nullptr;
  ASSERT_EQ(factory->CreateInstance(nullptr, kIidSpTtsEngine, reinterpret_cast<void**>(&engine)), S_OK);
  factory->Release();
  TestSite site;
  FragmentList list;
  list.Speak(L"Ala ma kota i kot ma Al\u0119.");
  const WAVEFORMATEX format = VoiceFormat();
  EXPECT_EQ(engine->Speak(0, kFormatWaveFormatEx, &format, list.Head(), &site), S_OK);
  engine->Release();
  FreeLibrary(dll);

  EXPECT_EQ(site.Samples().size(), expected.samples.size());
  EXPECT_TRUE(site.Samples() == expected.samples);
  EXPECT_EQ(FileBytes(folder + L"\\mowiksets.conf"), saved);  // only read, never rewritten
  DeleteFileW(copy.c_str());
  DeleteFileW((folder + L"\\pl1").c_str());
  DeleteFileW((folder + L"\\mowiksets.conf").c_str());
  RemoveDirectoryW(folder.c_str());
}

}  // namespace
}  // namespace mowik
