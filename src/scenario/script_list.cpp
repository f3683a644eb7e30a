#include "scenario/script_list.h"

#include "scenario/filter_item.h"
#include "scenario/script_options.h"

namespace kvarn {

const std::array<const char*, ScriptListColumnCount> ScriptListCaptions = {
    "Комментарии", "Опции",    "Фильтр 1", "Фильтр 2", "Фильтр 3",
    "Фильтр 4",    "Фильтр 5", "Фильтр 6", "Фильтр 7",
};

TScriptListRow ScriptListRowOf(std::string_view line, const TStatList& registry) {
  TScriptListRow row;
  if (ScriptLineIsSeparator(line)) return row;
  row[0] = ScriptLineField(line, ScriptCommentField);
  row[1] = ScriptOptionsCaption(ScriptOptionsFromText(ScriptLineField(line, 1)));
  for (int i = 0; i < ScriptFilterCount; ++i)
    row[static_cast<size_t>(2 + i)] =
        FilterItemToText(FilterItemFromText(ScriptLineField(line, 2 + i), registry));
  return row;
}

}  // namespace kvarn
