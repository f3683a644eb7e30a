// The CSV import of draws: whatever it appends is a valid draw with a new number, and the
// exported text of the result imports again to the same draws.
#include <cstdint>
#include <string_view>

#include "core/draws.h"
#include "core/drawscsv.h"

namespace {

bool ValidDraw(const kvarn::TDraw& d) {
  if (d.Number <= 0 || d.Extra > 4) return false;
  for (size_t i = 0; i < d.Values.size(); ++i) {
    if (d.Values[i] < 1 || d.Values[i] > 36) return false;
    for (size_t j = 0; j < i; ++j)
      if (d.Values[i] == d.Values[j]) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  kvarn::SplitCsvFields(text.substr(0, text.find('\n')));
  kvarn::TDrawsArray draws;
  const kvarn::TCsvImportResult result = kvarn::DrawsCsvImport(text, draws);
  if (result.Added != static_cast<int>(draws.size())) __builtin_trap();
  // Dropped lines are named once each, in file order.
  for (size_t i = 0; i < result.BadLines.size(); ++i)
    if (result.BadLines[i] < 1 || (i > 0 && result.BadLines[i] <= result.BadLines[i - 1]))
      __builtin_trap();
  kvarn::CsvBadLinesText(result.BadLines);
  for (const kvarn::TDraw& d : draws)
    if (!ValidDraw(d)) __builtin_trap();

  const std::string exported = kvarn::DrawsCsvText(draws);
  kvarn::TDrawsArray again;
  kvarn::DrawsCsvImport(exported, again);
  if (kvarn::DrawsCsvText(again) != exported) __builtin_trap();
  return 0;
}
