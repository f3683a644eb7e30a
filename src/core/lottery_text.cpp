#include "core/lottery_text.h"

#include <cstdint>

#include "core/text.h"

namespace kvarn {

const std::string_view CombSeparators = "\t ,-.:;|";

// ---- text forms ----

std::string NumberText(int64_t n) {
  return std::to_string(n);
}

int TextNumber(std::string_view s) {
  return TextToIntDef(s, 0);
}

std::string CombText(const TComb& c) {
  return StrFormat("%d;%d;%d;%d;%d", c[0], c[1], c[2], c[3], c[4]);
}

std::string CombTextPadded(const TComb& c) {
  return StrFormat("%02d %02d %02d %02d %02d", c[0], c[1], c[2], c[3], c[4]);
}

std::string NumberSetText(const TNumberSet& s, std::string_view sep) {
  std::string r;
  for (int i = 0; i < s.Count && i < MaxSetSize; ++i) {
    if (i) r += sep;
    r += std::to_string(s.Numbers[i]);
  }
  return r;
}

std::string DrawValuesText(const TDraw& d) {
  return CombText(d.Values) + " e:" + std::to_string(d.Extra);
}

std::string DrawText(const TDraw& d) {
  return StrFormat("Тираж № %d от %s, значения: %s", d.Number, d.DateText.c_str(),
                   DrawValuesText(d).c_str());
}

std::string IntListText(const TIntArray& a, std::string_view sep) {
  std::string r;
  for (size_t i = 0; i < a.size(); ++i) {
    if (i) r += sep;
    r += std::to_string(a[i]);
  }
  return r;
}

std::string StakeSourceName(int kind) {
  switch (kind) {
    case 1:
      return "Вручную";
    case 2:
      return "Регуляр";
    case 3:
      return "Сценарий";
    case 4:
      return "Система";
    default:
      return {};
  }
}

// ---- parsing ----

TComb ParseComb(std::string_view text) {
  std::vector<std::string> words = SplitWords(text, CombSeparators);
  if (words.size() != static_cast<size_t>(CombSize))
    Raise(StrFormat("Некорректная комбинация: \"%s\"!", std::string(text).c_str()));
  TComb c;
  for (int i = 0; i < CombSize; ++i) {
    // A number that does not fit the byte reads as 0, which every caller refuses; cut to its low
    // byte, 292 would pass for 36.
    const int v = TextNumber(words[i]);
    c[i] = static_cast<uint8_t>(v < 0 || v > UINT8_MAX ? 0 : v);
  }
  return c;
}

TIntArray ParseValueList(std::string_view text) {
  TIntArray list;
  // First as a list of integers separated by "," or ";".
  {
    std::vector<std::string> words = SplitWords(text, ",;");
    bool ok = !words.empty();
    for (const std::string& w : words) {
      int64_t v;
      if (!TryTextToInt(w, v)) {
        ok = false;
        break;
      }
      list.push_back(static_cast<int32_t>(v));
    }
    if (ok) return list;
    list.clear();
  }
  // Then as a range a-b;s or a-b,s.
  size_t dash = text.find('-', 1);
  if (dash == std::string_view::npos || text.empty()) return {};
  std::string_view a = text.substr(0, dash);
  std::string_view rest = text.substr(dash + 1);
  size_t sep = rest.find_first_of(";,");
  if (sep == std::string_view::npos) return {};
  std::string_view b = rest.substr(0, sep);
  std::string_view s = rest.substr(sep + 1);
  int64_t va, vb, vs;
  if (!TryTextToInt(a, va) || !TryTextToInt(b, vb) || !TryTextToInt(s, vs) || vs == 0) return {};
  int64_t count = (vb - va) / vs + 1;
  if (count <= 0 || count > 1000000) return {};
  for (int64_t i = 0; i < count; ++i) list.push_back(static_cast<int32_t>(va + i * vs));
  return list;
}

}  // namespace kvarn
