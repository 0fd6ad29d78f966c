// Times SaveSettings and LoadSettings with a large dictionary and prints the file's size.
//   settings_bench [dictionary rows]      (default 10000; the file goes to the temporary folder)
// With "hostile", loads a settings file built to cost the most memory per byte instead: as
// many distinct tiny entries as fit (dictionary rows claimed by their keys, or raw entries),
// raw or compressed, and prints the load's time and the process's peak memory.
//   settings_bench hostile rows|tiny raw|compressed MEGABYTES

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#include <psapi.h>
#else
#include <sys/resource.h>
#endif

#include "mowik/platform/file_store.h"
#include "mowik/platform/program_folder.h"
#include "mowik/program/table_model.h"
#include "mowik/settings/manage_settings.h"
#include "mowik/settings/compress_bytes.h"
#include "mowik/settings/property_bag_class.h"

namespace {

// The process's peak memory so far.
double PeakMegabytes() {
#ifdef _WIN32
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) return 0;
  return counters.PeakWorkingSetSize / (1024.0 * 1024.0);
#else
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024.0;
#endif
}

class NoView : public mowik::SettingsView {
 public:
  void ClearVoiceList() override {}
  void AddVoiceListEntry(const std::wstring&) override {}
  void ShowSpeakSelected(int16_t) override {}
  void ShowSpeakNow(int16_t) override {}
  void ShowSpellCapital(int16_t) override {}
  void ShowSpeakNowInterval(const std::wstring&) override {}
  void SelectVoice(int32_t) override {}
};

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

void PutName(std::vector<uint8_t>& out, const std::wstring& name) {
  out.push_back(static_cast<uint8_t>(name.size()));
  out.push_back(static_cast<uint8_t>(name.size() >> 8));
  for (const wchar_t c : name) {
    out.push_back(static_cast<uint8_t>(c));
    out.push_back(static_cast<uint8_t>(c >> 8));
  }
}

// A raw bag of about `bytes` bytes: empty text rows DictFrom<n>/DictTo<n> under a huge
// DictCount, or byte-array entries with distinct two-unit names and no payload (11 bytes each).
std::vector<uint8_t> HostileBag(bool rows, size_t bytes) {
  std::vector<uint8_t> out = {'M', 'W', 'P', 'B', 1};
  if (rows) {
    out.push_back(2);  // DictCount, 32-bit
    PutName(out, L"DictCount");
    out.insert(out.end(), {4, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0x7F});
  }
  for (uint32_t n = 1; out.size() < bytes; ++n) {
    if (rows) {
      for (const wchar_t* key : {L"DictFrom", L"DictTo"}) {
        out.push_back(3);  // text, empty
        PutName(out, key + std::to_wstring(n));
        out.insert(out.end(), {0, 0, 0, 0});
      }
    } else {
      out.push_back(5);  // byte array, empty
      PutName(out, std::wstring{static_cast<wchar_t>(0x100 + (n >> 15)), static_cast<wchar_t>(0x100 + (n & 0x7FFF))});
      out.insert(out.end(), {0, 0, 0, 0});
    }
  }
  out.push_back(0);
  return out;
}

int Hostile(const std::string& kind, const std::string& form, double megabytes) {
  const bool compressed = form == "compressed";
  // A compressed file is filled up to the most its header may claim unpacked.
  const size_t target = static_cast<size_t>(megabytes * 1e6);
  std::vector<uint8_t> bag = HostileBag(kind == "rows", compressed ? mowik::kMaxUncompressedSize : target);
  if (compressed && bag.size() > mowik::kMaxUncompressedSize) {
    bag.resize(mowik::kMaxUncompressedSize - 1);
    bag.push_back(0);
  }
  const std::vector<uint8_t> file = compressed ? mowik::CompressBytes(bag) : bag;
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "mowik-settings-hostile";
  std::filesystem::create_directories(dir);
  const mowik::FixedFolder folder(dir.wstring());
  if (!mowik::ReplaceFileContents(mowik::SettingsPath(folder), file)) return 1;

  NoView view;
  const auto start = std::chrono::steady_clock::now();
  mowik::LoadSettings(folder, view);
  const double load = Seconds(start);
  std::printf("hostile %s %s: file %.1f MB (bag %.1f MB): LoadSettings %.2f s, peak memory %.0f MB, %d dictionary rows\n",
              kind.c_str(), form.c_str(), file.size() / 1e6, bag.size() / 1e6, load, PeakMegabytes(),
              mowik::DictionaryTable().Rows());
  std::filesystem::remove_all(dir);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 4 && std::string(argv[1]) == "hostile") return Hostile(argv[2], argv[3], std::atof(argv[4]));
  const int rows = argc > 1 ? std::atoi(argv[1]) : 10000;
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "mowik-settings-bench";
  std::filesystem::create_directories(dir);
  const mowik::FixedFolder folder(dir.wstring());

  mowik::TableModel& dict = mowik::DictionaryTable();
  dict.Clear();
  for (int i = 0; i < rows; ++i) {
    const int32_t row = dict.AddRow();
    dict.SetCellText(row, 1, L"skr\u00F3t" + std::to_wstring(i));
    dict.SetCellText(row, 2, L"zast\u0119pstwo numer " + std::to_wstring(i));
  }
  mowik::VoicesTable().Clear();
  mowik::VoicesTable().AddRow();

  const int rounds = 5;
  auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < rounds; ++i) mowik::SaveSettings(folder);
  const double save = Seconds(start) / rounds;

  NoView view;
  start = std::chrono::steady_clock::now();
  for (int i = 0; i < rounds; ++i) mowik::LoadSettings(folder, view);
  const double load = Seconds(start) / rounds;

  std::vector<uint8_t> file;
  mowik::ReadWholeFile(mowik::SettingsPath(folder), 1u << 30, file);
  mowik::PropertyBagClass bag;
  bag.LoadFromFile(mowik::SettingsPath(folder));
  std::printf("settings: %d dictionary rows, %zu keys\n", mowik::DictionaryTable().Rows(), bag.Bag().Count());
  std::printf("file: %zu bytes compressed, %zu bytes of bag (%.1f%%)\n", file.size(), bag.Contents().size(),
              100.0 * file.size() / bag.Contents().size());
  std::printf("SaveSettings: %.2f ms, LoadSettings: %.2f ms (mean of %d)\n", save * 1e3, load * 1e3, rounds);
  std::filesystem::remove_all(dir);
  return 0;
}
