// Every text a run of the scenario writes: its log lines, the status texts of the tab and the
// messages it shows. The runner, the window, kvarn-cli and the tests take them from here.
#pragma once

#include <string>
#include <string_view>

#include "core/lottery.h"
#include "stats/table.h"

namespace kvarn {

// ---- log lines ----
extern const char* const ScriptLogStart;  // "### ЗАПУСК СЦЕНАРИЯ ###..."
extern const char* const ScriptLogEnd;    // "### ЗАВЕРШЕНИЕ СЦЕНАРИЯ ###..."
extern const char* const ScriptLogAborted;  // "### ВЫПОЛНЕНИЕ СЦЕНАРИЯ ПРЕРВАНО ###..."
extern const char* const ScriptLogEquals;  // the "=" rule around a pass
extern const char* const ScriptLogDashes;  // the "-" rule around a line and a variant
extern const char* const ScriptLogVariantsMaking;  // "Создание всех вариантов фильтров..."
extern const char* const ScriptLogStartList;  // "Создание начального списка комбинаций..."
extern const char* const ScriptLogKeep;  // "Оставляем выделенные значения..."
extern const char* const ScriptLogDelete;  // "Удаляем выделенные значения..."
extern const char* const ScriptLogUndo;     // "{UNDO} Откат изменений..."
extern const char* const ScriptLogStopped;  // "{!} Сценарий остановлен!"
extern const char* const ScriptLogSkipped;  // "{-} Ставка игнорирована!"

std::string ScriptLogOffset(int offset);  // "=== Выполнение сценария для смещения 000010 ===..."
std::string ScriptLogLine(int line, std::string_view text);  // "Выполнение строки 001: "...""
std::string ScriptLogVariantsMade(int64_t count);  // "Создано %d вариантов фильтров."
std::string ScriptLogVariant(int variant, std::string_view text);  // "Применение набора ..."
std::string ScriptLogCount(int count);  // "Количество комбинаций в списке: %d"
std::string ScriptLogAnalysis(std::string_view method, int len);
// "< [value] кол-во: ... >" of a row, and the same after "Шаг %.3d. Выделение строки: ".
std::string ScriptLogRow(const TStatValues& row);
std::string ScriptLogStep(int step, const TStatValues& row);
std::string ScriptLogStakeMode(int mode);  // "{*} Добавление ставки, режим: "...""
std::string ScriptLogStakeAdded(int32_t drawNumber, const TNumberSet& numbers);
std::string ScriptLogStakeExists(int32_t drawNumber, const TNumberSet& numbers);
// "{#} Системная игра ...": loaded (all or combinations) and failed.
std::string ScriptLogSystemLoaded(bool all, int numbers, std::string_view fileShortName);
std::string ScriptLogSystemFailed(int numbers, std::string_view error);

// ---- status texts ----
extern const char* const ScriptRunningText;   // "Выполнение сценария..."
extern const char* const ScriptFinishedText;  // "Сценарий завершен!"
std::string ScriptCycleText(int cycle);       // "Цикл: %d"
std::string ScriptLineText(int line);         // "Строка: %d"
std::string ScriptStakesText(int stakes);     // "Ставок: %d"
std::string ScriptVariantsProgress(int64_t count);  // "Создание всех вариантов фильтров ( %d )..."
std::string ScriptVariantText(int variant, int64_t count, std::string_view text);  // "Фильтр ..."

// ---- messages ----
extern const char* const ScriptStopQuestion;  // "Остановить выполнение сценария?"
extern const char* const ScriptLogsNotFound;   // "Файлы журналов не найдены!"
extern const char* const ScriptLogsSearching;  // "Поиск файлов журналов..."
std::string ScriptMethodNotFound(std::string_view ident, std::string_view caption);
std::string ScriptStopWarning(int count, std::string_view label);
std::string ScriptLogWriteError(std::string_view cause);  // "Ошибка записи журнала: %s!"

// ---- the count dialog of a test ----
extern const char* const ScriptTestCountTitle;  // "Количество тестов"
extern const char* const ScriptTestCountPrompt;  // "Укажите количество тестов:"
extern const char* const ScriptTestCountHint;
constexpr int ScriptTestCountDefault = 10;

}  // namespace kvarn
