#include "scenario/script_options.h"

#include <vector>

#include "core/text.h"
#include "scenario/script_codes.h"
#include "scenario/script_text.h"

namespace kvarn {

std::string ScriptOptionsToText(const TScriptOptions& o) {
  std::string t(ScriptCodeOf(ScriptSources, o.StartCombsType));
  t += ':';
  t += std::to_string(o.DrawsExclude);
  t += '#';
  t += ScriptCodeOf(ScriptModes, o.ResultCombsMode);
  if (o.ClearStakes) (t += '#') += ScriptClearCode;
  if (o.NewOnly) (t += '#') += ScriptNewOnlyCode;
  return t;
}

TScriptOptions ScriptOptionsFromText(std::string_view text) {
  TScriptOptions o;
  std::vector<std::string> pieces = SplitWords(text, "#");
  if (pieces.empty()) return o;
  int source = ScriptCodePrefix(ScriptSources, pieces[0]);
  if (source >= 0) o.StartCombsType = static_cast<uint8_t>(source);
  o.DrawsExclude = ScriptIntOf(ScriptColonValue(pieces[0]), 0);
  if (pieces.size() >= 2) {
    int mode = ScriptCodeEqual(ScriptModes, pieces[1]);
    if (mode >= 0) o.ResultCombsMode = static_cast<uint8_t>(mode);
  }
  for (size_t i = 2; i < pieces.size(); ++i) {
    if (SameTextIgnoreCase(pieces[i], ScriptClearCode)) o.ClearStakes = true;
    if (SameTextIgnoreCase(pieces[i], ScriptNewOnlyCode)) o.NewOnly = true;
  }
  return o;
}

std::string ScriptOptionsLogText(const TScriptOptions& o) {
  std::string t(ScriptCodeOf(ScriptSources, o.StartCombsType));
  if (o.StartCombsType == ssExcl) (t += ':') += std::to_string(o.DrawsExclude);
  t += '#';
  t += ScriptCodeOf(ScriptModes, o.ResultCombsMode);
  if (o.NewOnly) (t += '#') += ScriptNewOnlyCode;
  return t;
}

std::string ScriptOptionsCaption(const TScriptOptions& o) {
  std::string t = o.StartCombsType == ssExcl
                      ? StrFormat(ScriptSources[ssExcl].Short, o.DrawsExclude)
                      : std::string(ScriptShortOf(ScriptSources, o.StartCombsType));
  (t += "; ") += ScriptShortOf(ScriptModes, o.ResultCombsMode);
  if (o.ClearStakes) (t += "; ") += ScriptClearText;
  (t += "; ") += o.NewOnly ? ScriptNewOnlyText : ScriptAllStakesText;
  return t;
}

}  // namespace kvarn
