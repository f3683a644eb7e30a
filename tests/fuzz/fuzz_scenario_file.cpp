// A whole scenario file (".lsc") as bytes: its lines as the list shows them and as a run reads
// them, the stakes caption rebuilt into a line, and two round trips: the file written from its
// lines reads back to the same lines, and a line rebuilt from what was read of it shows the same
// row (the editor writes lines that way, so an edit without changes must not change the line).
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "core/codec.h"
#include "scenario/filter_item.h"
#include "scenario/filter_variants.h"
#include "scenario/rating_script.h"
#include "scenario/script_file.h"
#include "scenario/script_line.h"
#include "scenario/script_list.h"
#include "scenario/script_options.h"

namespace {

using namespace kvarn;

const TStatList& Registry() {
  static const TDrawsArray draws;
  static TStatList* registry = [] {
    auto* r = new TStatList(draws);
    r->Register();
    return r;
  }();
  return *registry;
}

// A filter with no method text is written with an empty piece that the reader skips (a known
// fault handled elsewhere); lines holding one are not compared.
bool HasNoMethodText(std::string_view line) {
  for (int i = 0; i < ScriptFilterCount; ++i) {
    const TFilterItem f = FilterItemFromText(ScriptLineField(line, 2 + i), Registry());
    if (f.Active && !f.Method && f.IdentText.empty()) return true;
  }
  return false;
}

// The line as the editor would write it back from its fields.
std::string Rebuilt(std::string_view line) {
  TScriptFilterTexts filters;
  for (int i = 0; i < ScriptFilterCount; ++i)
    filters[static_cast<size_t>(i)] =
        FilterItemToText(FilterItemFromText(ScriptLineField(line, 2 + i), Registry()));
  return ScriptLineMake(ScriptLineField(line, ScriptCommentField),
                        ScriptOptionsToText(ScriptOptionsFromText(ScriptLineField(line, 1))),
                        filters);
}

void ReadAsRun(std::string_view line) {
  if (ScriptLineIsSeparator(line)) return;
  try {
    const std::vector<TFilterItem> filters = ReadLineFilters(line, Registry());
    // Expanding is bounded by the count; a few hundred variants say enough about it.
    if (CountFilterVariants(filters) <= 300) {
      TFilterVars vars;
      CreateFilterVariants(filters, vars);
    }
  } catch (const std::runtime_error&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const TScriptLines lines = ScriptSplitLines(Cp1251ToUtf8(bytes));
  if (ScriptSplitLines(Cp1251ToUtf8(Utf8ToCp1251(ScriptJoinLines(lines)))) != lines)
    __builtin_trap();

  for (const std::string& line : lines) {
    const TScriptListRow row = ScriptListRowOf(line, Registry());
    ReadAsRun(line);
    if (!ScriptLineIsSeparator(line) && !HasNoMethodText(line)) {
      const std::string rebuilt = Rebuilt(line);
      if (ScriptListRowOf(rebuilt, Registry()) != row || Rebuilt(rebuilt) != rebuilt)
        __builtin_trap();
    }
    if (const auto fromCaption = RatingCaptionToScriptLine(line)) {
      ScriptListRowOf(*fromCaption, Registry());
      ReadAsRun(*fromCaption);
    }
  }
  return 0;
}
