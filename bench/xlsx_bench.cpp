// Spreadsheet export of the full combination list: 376,992 rows of seven numeric columns, the
// five number cells coloured by channel, as the list shows them.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "combs/combs.h"
#include "core/sheet.h"

namespace kvarn {
namespace {

void BM_XlsxFullCombList(benchmark::State& state) {
  TCombList list;
  GenerateCombs(list, gmFull, TNumberBits());
  const bool coloured = state.range(0) != 0;
  TSheet sheet;
  sheet.Name = "Комбинации";
  sheet.Columns = {{"№ п.п.", TSheetType::Integer}};
  for (const char* h : {"1", "2", "3", "4", "5"}) sheet.Columns.push_back({h, TSheetType::Integer});
  sheet.Columns.push_back({"S", TSheetType::Integer});
  sheet.RowCount = static_cast<size_t>(list.Count());
  sheet.Row = [&](size_t r, std::span<TSheetCell> c) {
    const TComb& comb = list[static_cast<int>(r)];
    c[0].SetNumber(static_cast<double>(r + 1));
    for (size_t k = 0; k < CombSize; ++k) {
      c[k + 1].SetNumber(comb[k]);
      if (coloured) c[k + 1].Fill = SheetColourOfBgr(ChannelColour(comb[k], 6));
    }
    c[6].SetNumber(CombSum(comb));
  };
  const std::string file =
      (std::filesystem::temp_directory_path() / "kvarn-bench-combs.xlsx").string();
  for (auto _ : state) WriteXlsx(file, sheet);
  state.counters["MB"] = static_cast<double>(std::filesystem::file_size(file)) / 1e6;
  std::filesystem::remove(file);
}
BENCHMARK(BM_XlsxFullCombList)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace kvarn
