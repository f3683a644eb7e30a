// The scenario as a list of lines, and its files: "*.lsc" chosen by the user and the current
// scenario Kvarn_5x36.lss in the data directory. Windows-1251 text, CR LF line ends, no header.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kvarn {

using TScriptLines = std::vector<std::string>;

inline constexpr const char* ScriptAutoFileName = "Kvarn_5x36.lss";
inline constexpr const char* ScriptFileFilter = "Файлы сценариев (*.lsc)|*.lsc";
inline constexpr const char* ScriptFileExt = "lsc";

// Lines of a text: CR LF, a lone CR and a lone LF each end a line; a final line break adds no
// empty line.
TScriptLines ScriptSplitLines(std::string_view text);
// Each line followed by CR LF.
std::string ScriptJoinLines(const TScriptLines& lines);

// The lines of a file (cp1251 to UTF-8). Raises "Ошибка чтения файла \"%s\"!\r\r%s".
TScriptLines ScriptFileRead(const std::string& path);
// Rewrites the file whole through a temporary file. Raises "Ошибка записи в файл \"%s\"!\r\r%s".
void ScriptFileWrite(const std::string& path, const TScriptLines& lines);

// The file's lines replace the scenario; on failure the scenario keeps its lines.
void ScriptFileLoad(TScriptLines& script, const std::string& path);
// Loads into an empty scenario; otherwise appends the file's lines after one empty separator
// line (none when the last line is already a separator or the file holds no lines).
void ScriptFileAppend(TScriptLines& script, const std::string& path);
void ScriptFileSave(const TScriptLines& script, const std::string& path);
// Appends one line to a scenario file, which is created when missing.
void ScriptFileAddLine(const std::string& path, const std::string& line);

std::string ScriptAutoPath(const std::string& dataDir);
void ScriptAutoSave(const TScriptLines& script, const std::string& dataDir);
// Loads the current scenario when its file exists; false when there is none.
bool ScriptAutoLoad(TScriptLines& script, const std::string& dataDir);

// Line at a 0-based index; outside the scenario raises
// "Запись со индексом %d в файле данных не найдена!" with the 1-based number.
const std::string& ScriptLineGet(const TScriptLines& script, int index);
void ScriptLinePut(TScriptLines& script, int index, std::string line);

}  // namespace kvarn
