#include "scenario/filter_item.h"

#include <vector>

#include "core/text.h"
#include "scenario/script_codes.h"
#include "scenario/script_text.h"

namespace kvarn {

TStatWeights TFilterItem::Weights() const {
  return {CoefCount, CoefDeviation, CoefLevel, CoefPercents, CoefAbs};
}

void TFilterItem::SetWeights(const TStatWeights& w) {
  CoefCount = w.Count;
  CoefDeviation = w.Deviation;
  CoefLevel = w.Level;
  CoefPercents = w.Percents;
  CoefAbs = w.Abs;
}

std::string FilterHeaderLetters(bool bottomUp, bool multiSelect, bool keepSelected) {
  std::string h;
  h += bottomUp ? 'B' : 'T';
  h += multiSelect ? 'M' : 'S';
  h += keepSelected ? 'F' : 'D';
  return h;
}

std::string FilterWeightsText(long double count, long double deviation, long double level,
                              bool percents, bool abs) {
  return ScriptRealText(count) + ':' + ScriptRealText(deviation) + ':' + ScriptRealText(level) +
         ':' + (percents ? '1' : '0') + ':' + (abs ? '1' : '0');
}

std::string FilterItemToText(const TFilterItem& f) {
  if (!f.Active) return {};
  std::string t = FilterHeaderLetters(f.BottomUp, f.MultiSelect, f.KeepSelected);
  t += std::to_string(f.SortColumn);
  t += '#';
  if (f.Method)
    (t += f.Method->IdentOf()) += ':' + f.DrawsLen;
  else if (Trim(f.IdentText).empty())
    t += ' ';  // an empty piece would be skipped on reading and move the pieces after it
  else
    t += f.IdentText;
  ((t += '#') += ScriptCodeOf(FilterLevelModes, f.LevelMode)) += ':' + f.LevelValue;
  ((t += '#') += ScriptCodeOf(FilterStopModes, f.StopMode)) += ':' + std::to_string(f.StopValue);
  if (f.CDLOverride)
    (t += '#') +=
        FilterWeightsText(f.CoefCount, f.CoefDeviation, f.CoefLevel, f.CoefPercents, f.CoefAbs);
  return t;
}

namespace {

// The characters after the first three of the header (UTF-8 aware).
std::string_view AfterThreeChars(std::string_view header) {
  size_t i = 0;
  for (int n = 0; n < 3 && i < header.size(); ++n) {
    ++i;
    while (i < header.size() && (static_cast<unsigned char>(header[i]) & 0xC0) == 0x80) ++i;
  }
  return header.substr(i);
}

void ReadWeights(std::string_view piece, TFilterItem& f) {
  f.CDLOverride = true;
  std::vector<std::string_view> v = ScriptPieces(piece, ':');
  auto at = [&v](size_t i) { return i < v.size() ? v[i] : std::string_view(); };
  f.CoefCount = ScriptRealRead(at(0));
  f.CoefDeviation = ScriptRealRead(at(1));
  f.CoefLevel = ScriptRealRead(at(2));
  f.CoefPercents = Trim(at(3)) == "1";
  f.CoefAbs = Trim(at(4)) == "1";
}

// Earlier versions wrote a filter without a method text with an empty piece ("TSD1##LNO:#SF:0"),
// which the splitting skips: a level code where the method belongs, right after "##", is such a
// filter, and its pieces go back to their places. Texts that named a method are read as before.
bool EmptyMethodPiece(std::string_view text, const std::vector<std::string_view>& pieces,
                      const TStatList& registry) {
  if (pieces.size() < 2) return false;
  const size_t end = static_cast<size_t>(pieces[0].data() - text.data()) + pieces[0].size();
  return text.substr(end, 2) == "##" && ScriptCodePrefix(FilterLevelModes, pieces[1]) >= 0 &&
         registry.FindByIdentPrefix(pieces[1]) < 0;
}

}  // namespace

TFilterItem FilterItemFromText(std::string_view text, const TStatList& registry) {
  TFilterItem f;
  if (Trim(text).empty()) return f;
  f.Active = true;
  std::vector<std::string_view> pieces = ScriptPieces(text, '#');
  if (EmptyMethodPiece(text, pieces, registry))
    pieces.insert(pieces.begin() + 1, std::string_view());
  auto piece = [&pieces](size_t i) { return i < pieces.size() ? pieces[i] : std::string_view(); };

  std::string_view header = piece(0);
  f.SortColumn = ScriptIntOf(AfterThreeChars(header), 1);
  f.BottomUp = header.find('B') != std::string_view::npos;
  f.MultiSelect = header.find('M') != std::string_view::npos;
  f.KeepSelected = header.find('F') != std::string_view::npos;

  // A blank method piece names no method: it reads as none, and is written as a blank again.
  f.IdentText = Trim(piece(1)).empty() ? std::string() : std::string(piece(1));
  if (!f.IdentText.empty()) {
    int entry = registry.FindByIdentPrefix(f.IdentText);
    if (entry >= 0) {
      f.Method = &registry.Items(entry);
      f.DrawsLen = ScriptColonValue(f.IdentText);
    }
  }

  if (std::string_view level = piece(2); !level.empty()) {
    int mode = ScriptCodePrefix(FilterLevelModes, level);
    if (mode >= 0) f.LevelMode = static_cast<uint8_t>(mode);
    f.LevelValue = ScriptColonValue(level);
  }

  if (std::string_view stop = piece(3); !stop.empty()) {
    int mode = ScriptCodePrefix(FilterStopModes, stop);
    if (mode >= 0) {
      f.StopMode = static_cast<uint8_t>(mode);
      f.StopValue = ScriptIntOf(ScriptColonValue(stop), 1);
    }
  }

  if (std::string_view weights = piece(4); !weights.empty()) ReadWeights(weights, f);
  return f;
}

}  // namespace kvarn
