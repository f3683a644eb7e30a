// The code tables of scenario lines: sources of the starting list, stake modes, level modes and
// stop modes, each with the code written in files and the texts the editor and the list show.
#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>

namespace kvarn {

// Shown for a value outside its table.
inline constexpr std::string_view ScriptErrorText = "# ERROR #";

struct TScriptCode {
  const char* Code;
  const char* Text;   // long text (editor boxes)
  const char* Short;  // list text; nullptr where the table has none
};

// StartCombsType: FULL, EXCL, CURR. The short text of EXCL holds "%d" for DrawsExclude.
enum : int { ssFull = 0, ssExcl = 1, ssCurr = 2 };
extern const std::array<TScriptCode, 3> ScriptSources;

// ResultCombsMode: EXT .. NONE.
enum : int {
  smExt = 0,
  smRand = 1,
  smFirst = 2,
  smLast = 3,
  smAll = 4,
  smSysA = 5,
  smSysC = 6,
  smStop = 7,
  smSkip = 8,
  smNone = 9
};
extern const std::array<TScriptCode, 10> ScriptModes;

// LevelMode 0..31 (LNO .. LVA) and StopMode 0..6 (SF .. SP).
extern const std::array<TScriptCode, 32> FilterLevelModes;
enum : int {
  fsAll = 0,
  fsCombs = 1,
  fsNumbers = 2,
  fsEmpty = 3,
  fsSteps = 4,
  fsValue = 5,
  fsPercent = 6
};
extern const std::array<TScriptCode, 7> FilterStopModes;

inline constexpr std::string_view ScriptClearCode = "CLR";
inline constexpr std::string_view ScriptNewOnlyCode = "NEX";
inline constexpr std::string_view ScriptClearText = "Удалить ставки";
inline constexpr std::string_view ScriptNewOnlyText = "Только новые ставки";
inline constexpr std::string_view ScriptAllStakesText = "Все создаваемые ставки";

// The code, long or short text of a value; ScriptErrorText outside the table.
std::string_view ScriptCodeOf(std::span<const TScriptCode> table, int value);
std::string_view ScriptTextOf(std::span<const TScriptCode> table, int value);
std::string_view ScriptShortOf(std::span<const TScriptCode> table, int value);

// The value whose code equals text, ignoring letter case; -1 when none.
int ScriptCodeEqual(std::span<const TScriptCode> table, std::string_view text);
// The first value (table order) whose code text starts with, ignoring letter case; -1 when none.
int ScriptCodePrefix(std::span<const TScriptCode> table, std::string_view text);

}  // namespace kvarn
