// Times SaveSettings and LoadSettings with a large dictionary and prints the file's size.
//   settings_bench [dictionary rows]      (default 10000; the file goes to the temporary folder)

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "mowik/platform/file_store.h"
#include "mowik/platform/program_folder.h"
#include "mowik/program/table_model.h"
#include "mowik/settings/manage_settings.h"
#include "mowik/settings/property_bag_class.h"

namespace {

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

}  // namespace

int main(int argc, char** argv) {
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
