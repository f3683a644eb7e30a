#include "stakes/rating_stakes.h"

#include "core/text.h"

namespace kvarn {

int RatingsAdd(TRatingsArray& ratings, const TStake& stake, TRatingsIndex* index) {
  if (!stake.IsChecked()) return -1;
  return RatingsAdd(ratings, TRatingStake{stake.Comment, stake.Matches(), stake.Profit}, index);
}

bool StakeCountsForRating(const TStake& stake) {
  return stake.IsChecked() && stake.DrawNumber >= 0 && stake.Matches() >= 0;
}

TRatingsArray RatingsRebuild(TStakesFile& file) {
  TRatingsArray ratings;
  TRatingsIndex index;
  file.ForEach(0, [&](const TStake& s) {
    if (StakeCountsForRating(s)) RatingsAdd(ratings, s, &index);
  });
  return ratings;
}

std::vector<TChanceRow> RatingsChance(TStakesFile& file, const TRatingsArray& ratings,
                                      const std::vector<int>& rows,
                                      const std::function<void(size_t, size_t)>& progress) {
  std::vector<const TRatingRecord*> chosen;
  std::vector<std::string> names;
  for (int i : rows)
    if (i >= 0 && static_cast<size_t>(i) < ratings.size()) {
      chosen.push_back(&ratings[static_cast<size_t>(i)]);
      names.push_back(chosen.back()->Name);
    }
  TChanceCollector collector(names);
  file.ForEach(0, [&](const TStake& s) {
    if (StakeCountsForRating(s)) collector.AddStake(s.Comment, s.Numbers.Count, s.Matches());
  });
  std::vector<TChanceRow> out;
  for (size_t i = 0; i < chosen.size(); ++i) {
    if (progress) progress(i, chosen.size());
    out.push_back({chosen[i]->Name, ChanceTest(collector.Sample(i), chosen[i]->Count)});
  }
  return out;
}

std::string ChanceSummary(const std::vector<TChanceRow>& rows) {
  if (rows.size() == 1) {
    const TChanceResult& r = rows[0].Result;
    if (r.Stakes == 0)
      return StrFormat("\"%s\": %s.", rows[0].Name.c_str(), ChanceVerdict(r).c_str());
    return StrFormat("\"%s\": %s (p = %.6g).", rows[0].Name.c_str(), ChanceVerdict(r).c_str(), r.P);
  }
  int tested = 0, better = 0;
  for (const TChanceRow& row : rows) {
    if (row.Result.Stakes == 0) continue;
    ++tested;
    if (row.Result.P < ChanceSignificance) ++better;
  }
  return StrFormat("Лучше случайного при p < 0.05: %d из %d (при чистой случайности около %.1f).",
                   better, tested, tested * ChanceSignificance);
}

}  // namespace kvarn
