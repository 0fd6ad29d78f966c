#include "mowik/platform/current_options.h"

#include "mowik/program/main_module.h"
#include "mowik/program/table_model.h"

#ifdef _WIN32
#include "mowik/platform/windows_regional_settings.h"
#endif

namespace mowik {

NormaliseOptions CurrentNormaliseOptions() {
  NormaliseOptions options;
  options.spellCapital = SpellCapital != 0;
  options.natural = NaturalReading != 0;
  options.dictionary = &DictionaryTable();
  options.regional = UserRegionalSettings();
  return options;
}

#ifdef _WIN32
RegionalSettings UserRegionalSettings() { return RegionalSettingsOfLocale(std::wstring()); }
#else
RegionalSettings UserRegionalSettings() { return PolishRegionalSettings(); }
#endif

}  // namespace mowik
