// The rating list must sort and scroll at once with thousands of rows; the chance test runs
// while the user waits for its window.
#include <benchmark/benchmark.h>

#include <random>

#include "core/text.h"
#include "stakes/rating.h"
#include "stakes/rating_chance.h"
#include "stakes/rating_sort.h"
#include "stakes/rating_text.h"

namespace kvarn {
namespace {

TRatingsArray RandomRating(size_t rows) {
  std::mt19937 rng(17);
  TRatingsArray a;
  TRatingsIndex index;
  for (size_t i = 0; i < rows; ++i) {
    const std::string name = StrFormat("NUMS#100:%zu | SUM#50:%zu", i % 977, i);
    const int stakes = 1 + static_cast<int>(rng() % 300);
    for (int k = 0; k < stakes; ++k)
      RatingsAdd(a,
                 {name, static_cast<int>(rng() % 4), static_cast<int64_t>(rng() % 600000) - 100000},
                 &index);
  }
  return a;
}

const TRatingsArray& Rating5000() {
  static const TRatingsArray a = RandomRating(5000);
  return a;
}

// A header click: sort a shuffled rating by the column.
void BM_RatingsSort(benchmark::State& state) {
  const int column = static_cast<int>(state.range(0));
  std::mt19937 rng(3);
  for (auto _ : state) {
    state.PauseTiming();
    TRatingsArray a = Rating5000();
    std::shuffle(a.begin(), a.end(), rng);
    state.ResumeTiming();
    RatingsSort(a, column, true);
    benchmark::DoNotOptimize(a.data());
  }
}
BENCHMARK(BM_RatingsSort)
    ->Arg(rcName)
    ->Arg(rcAverage)
    ->Arg(rcAverageProfit)
    ->Arg(rcEff0 + 3)
    ->Unit(benchmark::kMillisecond);

// Texts of a screenful of rows (the owner-data list formats only what it paints), and of all of
// them, as a scroll from top to bottom does.
void BM_RatingRowTexts(benchmark::State& state) {
  const TExpectedShares shares = ExpectedShare();
  const TRatingsArray& a = Rating5000();
  const auto rows = static_cast<size_t>(state.range(0));
  for (auto _ : state)
    for (size_t i = 0; i < rows; ++i)
      benchmark::DoNotOptimize(RatingRowTexts(a[i], emAbsolute, shares));
}
BENCHMARK(BM_RatingRowTexts)->Arg(40)->Arg(5000)->Unit(benchmark::kMicrosecond);

void BM_ChancePExact(benchmark::State& state) {
  TChanceSample s;
  for (int64_t i = 0; i < state.range(0); ++i) ChanceAddStake(s, i % 4 == 0 ? 7 : 5, 1);
  for (auto _ : state) benchmark::DoNotOptimize(ChancePExact(s, s.Matches));
}
BENCHMARK(BM_ChancePExact)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(ChanceExactLimit)
    ->Unit(benchmark::kMillisecond);

// Rebuilding the rating from a stakes file: 300,000 stakes over 2,000 recipes.
void BM_RatingsRebuild(benchmark::State& state) {
  std::vector<std::string> names;
  for (int i = 0; i < 2000; ++i) names.push_back(StrFormat("Строка сценария %d", i));
  std::mt19937 rng(5);
  std::vector<TRatingStake> stakes;
  for (int i = 0; i < 300000; ++i)
    stakes.push_back({names[rng() % names.size()], static_cast<int>(rng() % 4), -100000});
  for (auto _ : state) {
    TRatingsArray a;
    TRatingsIndex index;
    for (const TRatingStake& s : stakes) RatingsAdd(a, s, &index);
    benchmark::DoNotOptimize(a.data());
  }
}
BENCHMARK(BM_RatingsRebuild)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kvarn
