#include "scenario/script_run_texts.h"

#include "core/lottery_text.h"
#include "core/text.h"
#include "scenario/script_codes.h"

namespace kvarn {

namespace {
std::string S(std::string_view v) {
  return std::string(v);
}
}  // namespace

const char* const ScriptLogStart =
    "### ЗАПУСК СЦЕНАРИЯ "
    "##########################################################################";
const char* const ScriptLogEnd =
    "### ЗАВЕРШЕНИЕ СЦЕНАРИЯ "
    "######################################################################";
const char* const ScriptLogAborted =
    "### ВЫПОЛНЕНИЕ СЦЕНАРИЯ ПРЕРВАНО "
    "#############################################################";
const char* const ScriptLogEquals =
    "============================================================================================="
    "=";
const char* const ScriptLogDashes =
    "---------------------------------------------------------------------------------------------"
    "-";
const char* const ScriptLogVariantsMaking = "Создание всех вариантов фильтров...";
const char* const ScriptLogStartList = "Создание начального списка комбинаций...";
const char* const ScriptLogKeep = "Оставляем выделенные значения...";
const char* const ScriptLogDelete = "Удаляем выделенные значения...";
const char* const ScriptLogUndo = "{UNDO} Откат изменений...";
const char* const ScriptLogStopped = "{!} Сценарий остановлен!";
const char* const ScriptLogSkipped = "{-} Ставка игнорирована!";

std::string ScriptLogOffset(int offset) {
  return StrFormat(
      "=== Выполнение сценария для смещения %.6d "
      "==================================================",
      offset);
}

std::string ScriptLogLine(int line, std::string_view text) {
  return StrFormat("Выполнение строки %.3d: \"%s\"", line, S(text).c_str());
}

std::string ScriptLogVariantsMade(int64_t count) {
  return StrFormat("Создано %lld вариантов фильтров.", static_cast<long long>(count));
}

std::string ScriptLogVariant(int variant, std::string_view text) {
  return StrFormat("Применение набора фильтров %.3d: \"%s\"", variant, S(text).c_str());
}

std::string ScriptLogCount(int count) {
  return StrFormat("Количество комбинаций в списке: %d", count);
}

std::string ScriptLogAnalysis(std::string_view method, int len) {
  return StrFormat("Анализ тиражей и расчет статистики \"%s\" для выборки в %d тиражей...",
                   S(method).c_str(), len);
}

std::string ScriptLogRow(const TStatValues& r) {
  return StrFormat(
      "< [%s] кол-во: %s (%s %%), отклонение: %s (%s %%), глубина: %s (%s %%), вес: %s >",
      r.Value.c_str(), r.Count.c_str(), r.CountPercent.c_str(), r.Deviation.c_str(),
      r.DeviationPercent.c_str(), r.Depth.c_str(), r.DepthPercent.c_str(), r.Weight.c_str());
}

std::string ScriptLogStep(int step, const TStatValues& row) {
  return StrFormat("Шаг %.3d. Выделение строки: ", step) + ScriptLogRow(row);
}

std::string ScriptLogStakeMode(int mode) {
  return StrFormat("{*} Добавление ставки, режим: \"%s\"",
                   S(ScriptTextOf(ScriptModes, mode)).c_str());
}

std::string ScriptLogStakeAdded(int32_t drawNumber, const TNumberSet& numbers) {
  return StrFormat("{+} Ставка на тираж %d добавлена в список ставок: [%s]", drawNumber,
                   NumberSetText(numbers, ";").c_str());
}

std::string ScriptLogStakeExists(int32_t drawNumber, const TNumberSet& numbers) {
  return StrFormat("{-} Ставка на тираж %d не добавлена, так как уже имеется в списке ставок: [%s]",
                   drawNumber, NumberSetText(numbers, ";").c_str());
}

std::string ScriptLogSystemLoaded(bool all, int numbers, std::string_view fileShortName) {
  return StrFormat(all ? "{#} Системная игра для %d чисел [все система]: загружен файл \"%s\""
                       : "{#} Системная игра для %d чисел [система * комбинации]: загружен файл "
                         "\"%s\"",
                   numbers, S(fileShortName).c_str());
}

std::string ScriptLogSystemFailed(int numbers, std::string_view error) {
  return StrFormat("{#} Системная игра для %d чисел [ОШИБКА]: \"%s\"", numbers, S(error).c_str());
}

const char* const ScriptRunningText = "Выполнение сценария...";
const char* const ScriptFinishedText = "Сценарий завершен!";

std::string ScriptCycleText(int cycle) {
  return StrFormat("Цикл: %d", cycle);
}
std::string ScriptLineText(int line) {
  return StrFormat("Строка: %d", line);
}
std::string ScriptStakesText(int stakes) {
  return StrFormat("Ставок: %d", stakes);
}

std::string ScriptVariantsProgress(int64_t count) {
  return StrFormat("Создание всех вариантов фильтров ( %lld )...", static_cast<long long>(count));
}

std::string ScriptVariantText(int variant, int64_t count, std::string_view text) {
  return StrFormat("Фильтр %d из %lld: %s", variant, static_cast<long long>(count),
                   S(text).c_str());
}

const char* const ScriptStopQuestion = "Остановить выполнение сценария?";
const char* const ScriptLogsNotFound = "Файлы журналов не найдены!";
const char* const ScriptLogsSearching = "Поиск файлов журналов...";

std::string ScriptMethodNotFound(std::string_view ident, std::string_view caption) {
  return StrFormat(
      "Метод расчета статистики \"%s\" на найден!\r%s\r\rВозможно, Вы отключили данных метод "
      "расчета либо использовали сценарий от другой модификации программы.",
      S(ident).c_str(), S(caption).c_str());
}

std::string ScriptStopWarning(int count, std::string_view label) {
  return StrFormat(
      "Выполнение сценария прервано, т.к. после применения всех фильтров в списке комбинаций их "
      "осталось более одной: %d!\r\rФильтры: %s",
      count, S(label).c_str());
}

std::string ScriptLogWriteError(std::string_view cause) {
  return StrFormat("Ошибка записи журнала: %s!", S(cause).c_str());
}

const char* const ScriptTestCountTitle = "Количество тестов";
const char* const ScriptTestCountPrompt = "Укажите количество тестов:";
const char* const ScriptTestCountHint =
    "Укажите количество последних тиражей, на которых будет производится тестирование";

}  // namespace kvarn
