#include "mowik/shell/load_warning.h"

namespace mowik {

std::wstring SettingsLoadWarning(SettingsLoad load, const std::wstring& path) {
  switch (load) {
    case SettingsLoad::kNotRead:
      return L"Nie można odczytać pliku ustawień " + path +
             L". Mowik działa na ustawieniach domyślnych, a plik pozostał nietknięty.";
    case SettingsLoad::kDamaged:
      return L"Plik ustawień " + path + L" był uszkodzony. Jego kopia jest w pliku " + path +
             L".bad; odczytano z niego to, co się dało, resztę zastąpiły ustawienia domyślne.";
    case SettingsLoad::kDamagedNotStored:
      return L"Plik ustawień " + path +
             L" jest uszkodzony, a jego kopii nie można zapisać. Mowik działa na tym, co dało się "
             L"odczytać, a plik pozostał nietknięty.";
    case SettingsLoad::kRead:
    case SettingsLoad::kCreated:
    case SettingsLoad::kDefaultsInMemory:
      break;
  }
  return std::wstring();
}

}  // namespace mowik
