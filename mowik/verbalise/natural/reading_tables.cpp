#include "mowik/verbalise/natural/reading_tables.h"

#include "mowik/verbalise/natural/char_classes.h"

namespace mowik {
namespace {

constexpr Unit kUnits[] = {
    {L"mm", L"milimetr", L"", L""},        {L"cm", L"centymetr", L"", L""},
    {L"m²", L"metr", L"kwadratow", L""},   {L"m2", L"metr", L"kwadratow", L""},
    {L"m³", L"metr", L"sześcienn", L""},   {L"m3", L"metr", L"sześcienn", L""},
    {L"m/s", L"metr", L"", L"na sekundę"}, {L"m", L"metr", L"", L""},
    {L"km²", L"kilometr", L"kwadratow", L""}, {L"km2", L"kilometr", L"kwadratow", L""},
    {L"km/h", L"kilometr", L"", L"na godzinę"}, {L"km", L"kilometr", L"", L""},
    {L"g", L"gram", L"", L""},             {L"dag", L"dekagram", L"", L""},
    {L"kg", L"kilogram", L"", L""},        {L"t", L"tona", L"", L""},
    {L"ml", L"mililitr", L"", L""},        {L"l", L"litr", L"", L""},
    {L"s", L"sekunda", L"", L""},          {L"sek.", L"sekunda", L"", L""},
    {L"min.", L"minuta", L"", L""},        {L"min", L"minuta", L"", L""},
    {L"h", L"godzina", L"", L""},          {L"godz.", L"godzina", L"", L""},
    {L"°C", L"stopień", L"", L"Celsjusza"}, {L"° C", L"stopień", L"", L"Celsjusza"},
    {L"st. C", L"stopień", L"", L"Celsjusza"},
    {L"°", L"stopień", L"", L""},          {L"%", L"procent", L"", L""},
    {L"‰", L"promil", L"", L""},           {L"kB", L"kilobajt", L"", L""},
    {L"KB", L"kilobajt", L"", L""},        {L"MB", L"megabajt", L"", L""},
    {L"GB", L"gigabajt", L"", L""},        {L"TB", L"terabajt", L"", L""},
    {L"kWh", L"kilowatogodzina", L"", L""}, {L"kW", L"kilowat", L"", L""},
    {L"W", L"wat", L"", L""},              {L"V", L"wolt", L"", L""},
    {L"A", L"amper", L"", L""},            {L"kHz", L"kiloherc", L"", L""},
    {L"MHz", L"megaherc", L"", L""},       {L"Hz", L"herc", L"", L""},
    {L"szt.", L"sztuka", L"", L""},        {L"str.", L"strona", L"", L""},
    {L"proc.", L"procent", L"", L""},      {L"os.", L"osoba", L"", L""},
};

constexpr Currency kCurrencies[] = {
    {L"zł", L"złoty", L"grosz", false},  {L"PLN", L"złoty", L"grosz", false},
    {L"gr", L"grosz", L"", false},       {L"EUR", L"euro", L"cent", false},
    {L"€", L"euro", L"cent", true},      {L"USD", L"dolar", L"cent", false},
    {L"$", L"dolar", L"cent", true},     {L"GBP", L"funt", L"pens", false},
    {L"£", L"funt", L"pens", true},      {L"CHF", L"frank", L"centym", false},
};

constexpr Abbreviation::Kind W = Abbreviation::Kind::Words, N = Abbreviation::Kind::Noun,
                             A = Abbreviation::Kind::Adjective;
constexpr Abbreviation kAbbreviations[] = {
    {L"sp. z o.o.", L"spółka z ograniczoną odpowiedzialnością", W, true},
    {L"sp. z o. o.", L"spółka z ograniczoną odpowiedzialnością", W, true},
    {L"S.A.", L"spółka akcyjna", W, true},
    {L"m.in.", L"między innymi", W, false},
    {L"np.", L"na przykład", W, false},
    {L"tj.", L"to jest", W, false},
    {L"tzn.", L"to znaczy", W, false},
    {L"tzw.", L"tak zwan", A, false},
    {L"wg", L"według", W, false},
    {L"itd.", L"i tak dalej", W, true},
    {L"itp.", L"i tym podobne", W, true},
    {L"ok.", L"około", W, false},
    {L"zob.", L"zobacz", W, false},
    {L"por.", L"porównaj", W, false},
    {L"ds.", L"do spraw", W, false},
    {L"jw.", L"jak wyżej", W, true},
    {L"br.", L"bieżącego roku", W, true},
    {L"hab.", L"habilitowan", A, false},
    {L"im.", L"imienia", W, false},
    {L"ul.", L"ulica", N, false},
    {L"al.", L"aleja", N, false},
    {L"pl.", L"plac", N, false},
    {L"os.", L"osiedle", N, false},
    {L"nr", L"numer", N, false},
    {L"tel.", L"telefon", N, false},
    {L"godz.", L"godzina", N, false},
    {L"prof.", L"profesor", N, false},
    {L"dr", L"doktor", N, false},
    {L"dr.", L"doktor", N, false},  // the dot of the declined forms: «z dr. Nowakiem»
    {L"mgr", L"magister", N, false},
    {L"mgr.", L"magister", N, false},
    {L"inż.", L"inżynier", N, false},
    {L"doc.", L"docent", N, false},
    {L"ks.", L"ksiądz", N, false},
    {L"gen.", L"generał", N, false},
    {L"płk", L"pułkownik", N, false},
    {L"mjr", L"major", N, false},
    {L"kpt.", L"kapitan", N, false},
    {L"św.", L"święt", A, false},
    {L"pon.", L"poniedziałek", N, true},
    {L"wt.", L"wtorek", N, true},
    {L"śr.", L"środa", N, true},
    {L"czw.", L"czwartek", N, true},
    {L"pt.", L"piątek", N, true},
    {L"sob.", L"sobota", N, true},
    {L"niedz.", L"niedziela", N, true},
    {L"ndz.", L"niedziela", N, true},
};

constexpr std::wstring_view kMonthGenitives[] = {
    L"stycznia", L"lutego", L"marca", L"kwietnia", L"maja", L"czerwca",
    L"lipca", L"sierpnia", L"września", L"października", L"listopada", L"grudnia"};

struct AddressEnding {
  std::wstring_view label, words;
};
constexpr AddressEnding kAddressEndings[] = {
    {L"pl", L"pe el"}, {L"com", L"kom"}, {L"eu", L"e u"}, {L"org", L"org"}, {L"net", L"net"},
    {L"gov", L"gow"}, {L"edu", L"edu"}, {L"info", L"info"}, {L"de", L"de"}, {L"uk", L"u ka"},
    {L"io", L"i o"}, {L"html", L"ha te em el"}, {L"php", L"pe ha pe"},
};

constexpr std::wstring_view kFemaleNames[] = {
    L"elżbieta", L"katarzyna", L"anna", L"maria", L"wiktoria", L"jadwiga", L"bona",
    L"barbara", L"małgorzata", L"krystyna", L"zofia", L"izabela", L"joanna", L"beatrycze",
};

bool IsLetterOrDigit(wchar_t c) { return IsDigitChar(c) || IsLetterChar(c); }

bool EndsThere(std::wstring_view text, size_t length) {
  return length >= text.size() || !IsLetterOrDigit(text[length]);
}

template <typename Row>
const Row* Longest(std::wstring_view text, const Row* begin, const Row* end) {
  const Row* best = nullptr;
  for (const Row* row = begin; row != end; ++row) {
    if (!text.starts_with(row->symbol)) continue;
    if (row->symbol.back() != L'.' && IsLetterOrDigit(row->symbol.back()) && !EndsThere(text, row->symbol.size())) continue;
    if (!best || row->symbol.size() > best->symbol.size()) best = row;
  }
  return best;
}

}  // namespace

const Unit* UnitAt(std::wstring_view text) { return Longest(text, std::begin(kUnits), std::end(kUnits)); }

const Currency* CurrencyAt(std::wstring_view text) {
  return Longest(text, std::begin(kCurrencies), std::end(kCurrencies));
}

const Currency* CurrencySignAt(std::wstring_view text) {
  if (text.empty()) return nullptr;
  for (const Currency& c : kCurrencies)
    if (c.before && c.symbol.size() == 1 && c.symbol[0] == text[0]) return &c;
  return nullptr;
}

std::wstring_view MultiplierAt(std::wstring_view text, size_t& length) {
  struct Row {
    std::wstring_view text, noun;
  };
  static constexpr Row kRows[] = {{L"tys.", L"tysiąc"}, {L"tys", L"tysiąc"}, {L"mln.", L"milion"},
                                  {L"mln", L"milion"},  {L"mld.", L"miliard"}, {L"mld", L"miliard"}};
  for (const Row& row : kRows) {
    if (!text.starts_with(row.text)) continue;
    if (row.text.back() != L'.' && !EndsThere(text, row.text.size())) continue;
    length = row.text.size();
    return row.noun;
  }
  length = 0;
  return {};
}

const Abbreviation* AbbreviationAt(std::wstring_view text) {
  const Abbreviation* best = nullptr;
  for (const Abbreviation& row : kAbbreviations) {
    if (text.size() < row.text.size()) continue;
    std::wstring_view candidate = text.substr(0, row.text.size());
    bool same = candidate == row.text;
    if (!same && LowerChar(candidate[0]) == row.text[0] && candidate[0] != row.text[0])
      same = candidate.substr(1) == row.text.substr(1);
    if (!same) continue;
    if (row.text.back() != L'.' && !EndsThere(text, row.text.size())) continue;
    if (row.text.back() == L'.' && row.text.size() < text.size() && IsLetterOrDigit(text[row.text.size()])) continue;
    if (!best || row.text.size() > best->text.size()) best = &row;
  }
  return best;
}

int MonthOfGenitive(std::wstring_view word) {
  const std::wstring lower = LowerText(word);
  for (int m = 0; m < 12; ++m)
    if (kMonthGenitives[m] == lower) return m + 1;
  return 0;
}

std::wstring_view MonthGenitive(int month) {
  return month >= 1 && month <= 12 ? kMonthGenitives[month - 1] : std::wstring_view();
}

std::wstring_view AddressEndingWords(std::wstring_view label) {
  for (const AddressEnding& e : kAddressEndings)
    if (e.label == label) return e.words;
  return {};
}

bool IsFemaleName(std::wstring_view lowercaseName) {
  for (const std::wstring_view name : kFemaleNames)
    if (name == lowercaseName) return true;
  return false;
}

}  // namespace mowik
