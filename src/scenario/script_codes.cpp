#include "scenario/script_codes.h"

namespace kvarn {

const std::array<TScriptCode, 3> ScriptSources{{
    {"FULL", "Исходный список (рекомендуется для тестов)", "Исходный список"},
    {"EXCL", "Удалить N последних тиражей (для прогнозов)", "Исключить %d тиражей"},
    {"CURR", "Текущий список (для последовательного выполнения)", "Текущий список"},
}};

const std::array<TScriptCode, 10> ScriptModes{{
    {"EXT", "Сделать расширенную ставку", "Расширенная"},
    {"RAND", "Выбрать одну случайную комбинацию", "Случайно"},
    {"FIRST", "Выбрать первую комбинацию в списке", "Первая"},
    {"LAST", "Выбрать последнюю комбинацию в списке", "Последняя"},
    {"ALL", "Выбрать все комбинации (не рекомендуется)", "Все"},
    {"SYSA", "Системная игра [вся система]", "Система [все]"},
    {"SYSC", "Системная игра [система * комбинации]", "Система [комб]"},
    {"STOP", "Остановить выполнение сценария", "Остановить"},
    {"SKIP", "Пропустить (игнорировать) эту ставку", "Пропустить"},
    {"NONE", "Не делать ставок (для последовательного выполнения)", "Не делать ставок"},
}};

const std::array<TScriptCode, 32> FilterLevelModes{{
    {"LNO", "Весь список (без условий)", nullptr},
    {"LMV", "\"Глубина\": не менее заданного значения", nullptr},
    {"LMP", "\"Глубина\": не менее заданного процента", nullptr},
    {"LLV", "\"Глубина\": не более заданного значения", nullptr},
    {"LLP", "\"Глубина\": не более заданного процента", nullptr},
    {"LDV", "\"Глубина\": из заданного списка значений", nullptr},
    {"LDP", "\"Глубина\": из заданного списка процентов", nullptr},
    {"DMV", "\"Отклонение\": не менее заданного значения", nullptr},
    {"DMP", "\"Отклонение\": не менее заданного процента", nullptr},
    {"DLV", "\"Отклонение\": не более заданного значения", nullptr},
    {"DLP", "\"Отклонение\": не более заданного процента", nullptr},
    {"DDV", "\"Отклонение\": из заданного списка значений", nullptr},
    {"DDP", "\"Отклонение\": из заданного списка процентов", nullptr},
    {"CMV", "\"Количество\": не менее заданного значения", nullptr},
    {"CMP", "\"Количество\": не менее заданного процента", nullptr},
    {"CLV", "\"Количество\": не более заданного значения", nullptr},
    {"CLP", "\"Количество\": не более заданного процента", nullptr},
    {"CDV", "\"Количество\": из заданного списка значений", nullptr},
    {"CDP", "\"Количество\": из заданного списка процентов", nullptr},
    {"WMV", "\"Вес\": не менее заданного значения", nullptr},
    {"WLV", "\"Вес\": не более заданного значения", nullptr},
    {"WDV", "\"Вес\": из заданного списка значений", nullptr},
    {"PIM", "\"Период min\": не менее заданного значения", nullptr},
    {"PIL", "\"Период min\": не более заданного значения", nullptr},
    {"PIR", "\"Период min\": из заданного списка значений", nullptr},
    {"PAM", "\"Период\": не менее заданного значения", nullptr},
    {"PAL", "\"Период\": не более заданного значения", nullptr},
    {"PAR", "\"Период\": из заданного списка значений", nullptr},
    {"PXM", "\"Период max\": не менее заданного значения", nullptr},
    {"PXL", "\"Период max\": не более заданного значения", nullptr},
    {"PXR", "\"Период max\": из заданного списка значений", nullptr},
    {"LVA", "\"Значения\": из заданного списка значений", nullptr},
}};

const std::array<TScriptCode, 7> FilterStopModes{{
    {"SF", "Обработать все записи", nullptr},
    {"SC", "Количеству оставшихся комбинаций", nullptr},
    {"SE", "Количеству оставшихся чисел для расширенной ставки", nullptr},
    {"SZ", "Пока список не будет пуст и откатить на шаг", nullptr},
    {"ST", "Количеству шагов", nullptr},
    {"SV", "Значению в списке статистики", nullptr},
    {"SP", "Процентному соотношению в списке статистики", nullptr},
}};

namespace {

const TScriptCode* At(std::span<const TScriptCode> table, int value) {
  if (value < 0 || static_cast<size_t>(value) >= table.size()) return nullptr;
  return &table[static_cast<size_t>(value)];
}

char UpperAscii(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// The codes are ASCII, so a byte-wise comparison ignoring ASCII case is exact also for UTF-8
// text: no byte of a multi-byte character equals an ASCII letter.
bool StartsWithCode(std::string_view text, std::string_view code) {
  if (text.size() < code.size()) return false;
  for (size_t i = 0; i < code.size(); ++i)
    if (UpperAscii(text[i]) != UpperAscii(code[i])) return false;
  return true;
}

}  // namespace

std::string_view ScriptCodeOf(std::span<const TScriptCode> table, int value) {
  const TScriptCode* c = At(table, value);
  return c ? std::string_view(c->Code) : ScriptErrorText;
}

std::string_view ScriptTextOf(std::span<const TScriptCode> table, int value) {
  const TScriptCode* c = At(table, value);
  return c ? std::string_view(c->Text) : ScriptErrorText;
}

std::string_view ScriptShortOf(std::span<const TScriptCode> table, int value) {
  const TScriptCode* c = At(table, value);
  return c && c->Short ? std::string_view(c->Short) : ScriptErrorText;
}

int ScriptCodeEqual(std::span<const TScriptCode> table, std::string_view text) {
  for (size_t i = 0; i < table.size(); ++i) {
    std::string_view code = table[i].Code;
    if (text.size() == code.size() && StartsWithCode(text, code)) return static_cast<int>(i);
  }
  return -1;
}

int ScriptCodePrefix(std::span<const TScriptCode> table, std::string_view text) {
  for (size_t i = 0; i < table.size(); ++i)
    if (StartsWithCode(text, table[i].Code)) return static_cast<int>(i);
  return -1;
}

}  // namespace kvarn
