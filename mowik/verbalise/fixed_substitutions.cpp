#include "mowik/verbalise/fixed_substitutions.h"

#include <array>
#include <string_view>

#include "mowik/verbalise/replace_all.h"

namespace mowik {
namespace {

struct Substitution {
  std::wstring_view find, replacement;
};

// The order matters: addresses before the slash rows, "www." before ".pl", ".pl/" before
// ".pl", " / " and " d/s " before "/".
constexpr Substitution kSubstitutions[] = {
    {L"@", L"ma\u0142pa, "},
    {L"www.", L".wu wu wu, "},
    {L"http://", L"chatetepe "},
    {L"ftp://", L"eftepe. "},
    {L".pl/", L",pe el "},
    {L".pl", L",pe el "},
    {L".com", L",kom "},
    {L"$", L""},
    {L"#", L""},
    {L"%", L" procent "},
    {L"^", L""},
    {L"&", L" end "},
    {L"_", L" (podkre\u015Blenie dolne) "},
    {L"\"", L""},
    {L"\r\n", L"."},
    {L"=", L" r\u00F3wna si\u0119 "},
    {L"+", L" plus "},
    {L" z\u0142.", L" z\u0142otych "},
    {L" np.", L" na przyk\u0142ad "},
    {L" jw.", L" jak wy\u017Cej "},
    {L" dr ", L" doktor "},
    {L" in\u017C.", L" in\u017Cynier "},
    {L" mgr", L" magister "},
    {L" ds.", L" do spraw "},
    {L" ds ", L" do spraw "},
    {L" d/s ", L" do spraw "},
    {L" d\\s ", L" do spraw "},
    {L" tzn. ", L" to znaczy "},
    {L" itp. ", L" itepe "},
    {L" itd. ", L" itede "},
    {L" etc. ", L" etcetera "},
    {L" tys.", L" tysi\u0119cy "},
    {L" mln.", L" milion\u00F3w "},
    {L" sp.", L" sp\u00F3\u0142ka "},
    {L" sp ", L" sp\u00F3\u0142ka "},
    {L" s.c. ", L" sp\u00F3\u0142ka cywilna "},
    {L" z.o.o. ", L" zoo "},
    {L" z. o. o. ", L" zoo "},
    {L" z o.o. ", L" zoo "},
    {L" z o. o. ", L" zoo "},
    {L" z o o ", L" zoo "},
    {L" zaa", L" za a"},
    {L" / ", L" przez "},
    {L"/", L" \u0142amane na "},
    {L"{", L"("},
    {L"}", L")"},
    {L"[", L"("},
    {L"]", L")"},
    {L"|", L""},
    {L"<", L""},
    {L">", L""},
    {L"'", L""},
    {L"~", L" tylda "},
};

}  // namespace

void ApplyFixedSubstitutions(std::wstring& text) {
  // Each row looks first for its character that is rarest in the text: blanks and common
  // letters would stop the search every few characters.
  std::array<size_t, 0x180> counts{};
  for (const wchar_t c : text)
    if (static_cast<size_t>(c) < counts.size()) ++counts[static_cast<size_t>(c)];
  const auto count = [&](wchar_t c) { return static_cast<size_t>(c) < counts.size() ? counts[static_cast<size_t>(c)] : 0; };
  for (const Substitution& row : kSubstitutions) {
    size_t anchor = 0;
    for (size_t k = 1; k < row.find.size(); ++k)
      if (count(row.find[k]) < count(row.find[anchor])) anchor = k;
    ReplaceAll(text, row.find, row.replacement, anchor);
  }
}

}  // namespace mowik
