#include "scenario/filter_part.h"

#include "core/text.h"
#include "scenario/script_codes.h"

namespace kvarn {

std::string FilterPartToText(const TFilterPart& p) {
  if (!p.Active) return {};
  std::string t = FilterHeaderLetters(p.BottomUp, p.MultiSelect, p.KeepSelected);
  t += '#';
  t += p.Method ? p.Method->IdentOf() : p.IdentText;
  (t += ':') += std::to_string(p.DrawsLen);
  ((t += '#') += ScriptCodeOf(FilterLevelModes, p.LevelMode)) += ':' + p.LevelText;
  ((t += '#') += ScriptCodeOf(FilterStopModes, p.StopMode)) += ':' + std::to_string(p.StopValue);
  if (p.CDLOverride)
    (t += '#') +=
        FilterWeightsText(p.CoefCount, p.CoefDeviation, p.CoefLevel, p.CoefPercents, p.CoefAbs);
  return t;
}

std::string FilterRecToText(const TFilterRec& rec) {
  std::string t;
  for (const TFilterPart& p : rec) {
    if (!p.Active) continue;
    if (!t.empty()) t += " + ";
    t += FilterPartToText(p);
  }
  return t;
}

std::string ScriptStepLabel(int line, int variant, std::string_view comment,
                            std::string_view text) {
  std::string t = StrFormat("%.2d.%.3d:", line, variant);
  if (!comment.empty()) (t += ' ') += comment;
  (t += " @ ") += text;
  return t;
}

}  // namespace kvarn
