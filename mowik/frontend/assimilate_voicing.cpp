#include "mowik/frontend/assimilate_voicing.h"

#include "mowik/program/main_module.h"

namespace mowik {
namespace {

struct Devoicing {
  std::wstring_view voiced;
  const wchar_t* voiceless;
  int32_t lookahead;  // how many items after it can devoice it
};

constexpr Devoicing kRegressive[] = {
    {L"dz'", L"ts'", 2}, {L"dz", L"ts", 2}, {L"dZ", L"tS", 2}, {L"z'", L"s'", 2},
    {L"b", L"p", 1},     {L"d", L"t", 1},   {L"g", L"k", 1},   {L"v", L"f", 1},
    {L"z", L"s", 1},     {L"Z", L"S", 1},
};

}  // namespace

bool IsVoiceless(std::wstring_view x) { return VoicelessSet.find(x) != std::wstring::npos; }

void AssimilateVoicing(ClsStackCollection& list) {
  const int32_t n = list.Count();
  for (int32_t i = 1; i < n - 3; ++i) {
    const std::wstring& item = list.Item(i);
    for (const Devoicing& pair : kRegressive) {
      if (item.empty() || item[0] != pair.voiced[0] || item != pair.voiced) continue;
      bool before_voiceless = false;
      for (int32_t ahead = 1; ahead <= pair.lookahead; ++ahead)
        before_voiceless = before_voiceless || IsVoiceless(list.Item(i + ahead));
      if (before_voiceless) list.Replace(i, pair.voiceless);
      break;
    }
  }
}

void DevoiceAfterVoiceless(ClsStackCollection& list) {
  const int32_t n = list.Count();
  for (int32_t i = 2; i <= n; ++i) {
    const std::wstring& item = list.Item(i);
    if (item.size() != 1 || (item[0] != L'v' && item[0] != L'Z')) continue;
    if (IsVoiceless(list.Item(i - 1))) list.Replace(i, item[0] == L'v' ? L"f" : L"S");
  }
}

}  // namespace mowik
