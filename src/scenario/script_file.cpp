#include "scenario/script_file.h"

#include <stdexcept>

#include "core/codec.h"
#include "core/files.h"
#include "core/text.h"
#include "scenario/script_line.h"

namespace kvarn {

TScriptLines ScriptSplitLines(std::string_view text) {
  TScriptLines lines;
  size_t b = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.emplace_back(text.substr(b, i - b));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    b = i + 1;
  }
  if (b < text.size()) lines.emplace_back(text.substr(b));
  return lines;
}

std::string ScriptJoinLines(const TScriptLines& lines) {
  std::string text;
  for (const std::string& l : lines) (text += l) += "\r\n";
  return text;
}

TScriptLines ScriptFileRead(const std::string& path) {
  std::string bytes;
  try {
    bytes = ReadWholeFile(path);
  } catch (const std::exception& e) {
    Raise(StrFormat("Ошибка чтения файла \"%s\"!\r\r%s", path.c_str(), e.what()));
  }
  return ScriptSplitLines(Cp1251ToUtf8(bytes));
}

void ScriptFileWrite(const std::string& path, const TScriptLines& lines) {
  try {
    WriteFileAtomic(path, Utf8ToCp1251(ScriptJoinLines(lines)));
  } catch (const std::exception& e) {
    Raise(StrFormat("Ошибка записи в файл \"%s\"!\r\r%s", path.c_str(), e.what()));
  }
}

void ScriptFileLoad(TScriptLines& script, const std::string& path) {
  script = ScriptFileRead(path);
}

void ScriptFileAppend(TScriptLines& script, const std::string& path) {
  if (script.empty()) return ScriptFileLoad(script, path);
  TScriptLines added = ScriptFileRead(path);
  if (added.empty()) return;
  if (!ScriptLineIsSeparator(script.back())) script.emplace_back();
  script.insert(script.end(), added.begin(), added.end());
}

void ScriptFileSave(const TScriptLines& script, const std::string& path) {
  ScriptFileWrite(path, script);
}

void ScriptFileAddLine(const std::string& path, const std::string& line) {
  TScriptLines lines = FileExists(path) ? ScriptFileRead(path) : TScriptLines{};
  lines.push_back(line);
  ScriptFileWrite(path, lines);
}

std::string ScriptAutoPath(const std::string& dataDir) {
  return PathJoin(dataDir, ScriptAutoFileName);
}

void ScriptAutoSave(const TScriptLines& script, const std::string& dataDir) {
  ScriptFileSave(script, ScriptAutoPath(dataDir));
}

bool ScriptAutoLoad(TScriptLines& script, const std::string& dataDir) {
  const std::string path = ScriptAutoPath(dataDir);
  if (!FileExists(path)) return false;
  ScriptFileLoad(script, path);
  return true;
}

namespace {
void CheckIndex(const TScriptLines& script, int index) {
  if (index < 0 || static_cast<size_t>(index) >= script.size())
    Raise(StrFormat("Запись со индексом %d в файле данных не найдена!", index + 1));
}
}  // namespace

const std::string& ScriptLineGet(const TScriptLines& script, int index) {
  CheckIndex(script, index);
  return script[static_cast<size_t>(index)];
}

void ScriptLinePut(TScriptLines& script, int index, std::string line) {
  CheckIndex(script, index);
  script[static_cast<size_t>(index)] = std::move(line);
}

}  // namespace kvarn
