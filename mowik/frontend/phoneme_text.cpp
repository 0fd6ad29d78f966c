#include "mowik/frontend/phoneme_text.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "mowik/program/random_between.h"

namespace mowik {
namespace {

constexpr std::wstring_view kPauseMarks = L".!?-,:();";
constexpr wchar_t kPausePhoneme[] = L"_";
constexpr int16_t kPauseDuration = 200;
constexpr int16_t kPhonemeDuration = 70;
constexpr int16_t kLengthening = 80;
constexpr int32_t kFallingRange = 80;
constexpr int16_t kRisingBase = 220;
constexpr int32_t kRisingRange = 40;

int16_t ClampTo16(int64_t value) {
  return static_cast<int16_t>(std::clamp<int64_t>(value, INT16_MIN, INT16_MAX));
}

// Writes value in decimal at `at` (at most 6 characters) and returns the end.
char* WriteNumber(char* at, int16_t value) {
  int32_t v = value;
  if (v < 0) {
    *at++ = '-';
    v = -v;
  }
  char digits[5];
  int count = 0;
  do {
    digits[count++] = static_cast<char>('0' + v % 10);
    v /= 10;
  } while (v != 0);
  while (count > 0) *at++ = digits[--count];
  return at;
}

void AppendLine(std::string& out, const PhonemeRecord& record) {
  // Built in a small buffer and appended once: millions of lines for a long text.
  char line[64];
  char* at = line;
  if (record.phoneme.size() > 32) {
    for (const wchar_t c : record.phoneme) out.push_back(c >= 0x20 && c < 0x7F ? static_cast<char>(c) : '?');
  } else {
    for (const wchar_t c : record.phoneme) *at++ = c >= 0x20 && c < 0x7F ? static_cast<char>(c) : '?';
  }
  *at++ = ' ';
  at = WriteNumber(at, record.duration);
  *at++ = ' ';
  *at++ = '0';
  *at++ = ' ';
  at = WriteNumber(at, record.pitch);
  out.append(line, at);
}

}  // namespace

std::string PhonemeLine(const PhonemeRecord& record) {
  std::string line;
  AppendLine(line, record);
  return line;
}

bool IsPause(std::wstring_view item) {
  if (item.size() == 1) {  // nearly every item: one character, no substring search needed
    for (const wchar_t mark : kPauseMarks)
      if (item[0] == mark) return true;
    return false;
  }
  return !item.empty() && kPauseMarks.find(item) != std::wstring_view::npos;
}

std::string BuildPhonemeText(ClsStackCollection& list, int32_t intonation, int16_t& basePitch) {
  std::string text;
  text.reserve(static_cast<size_t>(list.Count()) * 14);
  AppendPhonemeText(list, intonation, basePitch, text);
  return text;
}

void AppendPhonemeText(ClsStackCollection& list, int32_t intonation, int16_t& basePitch, std::string& text,
                       RandomSource& random) {
  int32_t range = kFallingRange;
  if (intonation == kRising) {
    basePitch = static_cast<int16_t>(kRisingBase + random.Between(-30, 30));
    range = kRisingRange + random.Between(-10, 10);
  }
  const int32_t n = list.Count();
  if (n == 0) return;
  const double step = static_cast<double>(range) / n;

  // The walk goes backwards, since each phoneme's pitch depends on how far it stands from the
  // end of its stretch; the lines are kept and written out in list order afterwards. The
  // closing blanks give no line. The scratch is the call's own: a thread_local vector would be
  // freed twice at thread exit in MinGW builds (their emulated TLS releases its storage before
  // the destructors run), which corrupted the heap of SAPI hosts whose threads had spoken.
  std::vector<PhonemeRecord> lines(static_cast<size_t>(n));
  std::vector<char> spoken(static_cast<size_t>(n), 0);
  PhonemeRecord record{{}, basePitch, 0};
  const bool lengthen_last = IsPause(list.Item(n - 1));
  int64_t run = 0;  // items from this one to the end of its stretch; wide for huge words
  for (int32_t i = n; i >= 1; --i) {
    const std::wstring& x = list.Item(i);
    if (IsPause(x)) {
      record.phoneme = kPausePhoneme;
      record.duration = kPauseDuration;
      lines[i - 1] = record;
      spoken[i - 1] = 1;
      run = 0;
      continue;
    }
    ++run;
    if (x.size() == 1 && x[0] == L' ') continue;  // closes a word: counts in the run, says nothing
    const int16_t extra = (lengthen_last && i + 3 > n) ? kLengthening : 0;
    record.phoneme = x;
    record.duration = static_cast<int16_t>(kPhonemeDuration + extra);
    // nearbyint rounds a half to the even neighbour in the default rounding mode.
    const int64_t offset = static_cast<int64_t>(std::nearbyint(static_cast<double>(run) * step));
    record.pitch = ClampTo16(basePitch + static_cast<int64_t>(intonation) * offset);
    lines[i - 1] = record;
    spoken[i - 1] = 1;
  }

  for (size_t i = 0; i < lines.size(); ++i) {
    if (!spoken[i]) continue;
    text.append("\r\n");
    AppendLine(text, lines[i]);
  }
  list.Clear();
}

}  // namespace mowik
