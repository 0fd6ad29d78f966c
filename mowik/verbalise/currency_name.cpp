#include "mowik/verbalise/currency_name.h"

namespace mowik {
namespace {

struct Currency {
  std::wstring_view code, words;
};

// As stored: "HDK" (not the ISO code) for the Hong Kong dollar, "SEK" in the singular.
constexpr Currency kCurrencies[] = {
    {L"CZK", L"koron czeskich"},
    {L"DKK", L"koron du\u0144skich"},
    {L"EEK", L"koron esto\u0144skich"},
    {L"JPY", L"jen\u00F3w japo\u0144skich"},
    {L"CAD", L"dolar\u00F3w kanadyjskich"},
    {L"NOK", L"koron norweskich"},
    {L"CHF", L"frank\u00F3w szwajcarskich"},
    {L"SEK", L"korona szwedzka"},
    {L"GBP", L"funt\u00F3w brytyjskich"},
    {L"HUF", L"forint\u00F3w w\u0119gierskich"},
    {L"AUD", L"dolar\u00F3w australijskich"},
    {L"HDK", L"dolat\u00F3w hongkondzkich"},
    {L"CYP", L"funt\u00F3w cypryjskich"},
    {L"UAH", L"hrywan ukrai\u0144skich"},
    {L"SKK", L"koron s\u0142owackich"},
    {L"MTL", L"lir malta\u0144skich"},
    {L"LTL", L"lir litewskich"},
    {L"LVL", L"lir \u0142otewskich"},
    {L"ZAR", L"rand\u00F3w po\u0142udniowoafryka\u0144skich"},
    {L"RUB", L"rubli rosyjskich"},
    {L"SIT", L"tolar\u00F3w s\u0142owe\u0144skich"},
    {L"EUR", L"euro"},
    {L"USD", L"dolar\u00F3w ameryka\u0144skich"},
    {L"PLN", L"polskich z\u0142otych"},
};

wchar_t UpperAscii(wchar_t c) { return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - 0x20) : c; }

}  // namespace

std::wstring CurrencyName(std::wstring_view code) {
  std::wstring upper(code);
  for (wchar_t& c : upper) c = UpperAscii(c);
  for (const Currency& currency : kCurrencies)
    if (currency.code == upper) return std::wstring(currency.words);
  return std::wstring();
}

}  // namespace mowik
