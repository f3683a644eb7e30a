#include "stats/value_search.h"

#include <algorithm>
#include <map>
#include <memory>
#include <utility>

#include "core/text.h"
#include "stats/value_counts.h"

namespace kvarn {

void SplitWalkForward(TTestRange range, TTestRange& older, TTestRange& newer) {
  const int half = range.Count() / 2;
  older = {range.First, range.First + half - 1};
  newer = {range.First + half, range.Last};
}

namespace {

// A value as a table shows it: the rows with its text. A text that stood for other keys at
// another draw is another atom of the same candidate.
struct TAtom {
  TStatDrawArray Items;
};

struct TSearchDraw {
  int Index = 0;
  int Group = 0;                  // the counts of its analysis point
  std::vector<int> AtomOf;        // per candidate: atom, -1 when the table lacks the text
  std::vector<uint8_t> Survives;  // per candidate
  int Atom(int candidate) const {
    return static_cast<size_t>(candidate) < AtomOf.size() ? AtomOf[static_cast<size_t>(candidate)]
                                                          : -1;
  }
};

struct TGroup {
  std::unique_ptr<TValueCounts> Counts;
  std::map<int, int> LocalOf;  // atom -> value of Counts
};

// The union of the values chosen so far at one draw.
struct TUnionAt {
  std::vector<int> Set;  // values of the draw's counts, ascending
  int Kept = 0;
  bool Survives = false;
};

class TChooser {
 public:
  TChooser(const TStatList& list, int entry, TTestRange range, const TValueSearchOptions& options,
           TDrawTables& tables, const TTestProgress& progress)
      : list_(list),
        entry_(entry),
        range_(range),
        options_(options),
        tables_(tables),
        progress_(progress),
        filter_(list.CreateStat(entry)),
        unionOfValues_(SelectionIsUnionOfValues(*list.Items(entry).StatClass)) {}

  std::vector<std::string> Run(bool& stopped) {
    stopped = !Prepare();
    if (stopped) return {};
    return Choose(stopped);
  }

 private:
  bool Poll(int done) { return !progress_ || progress_(done, range_.Count()); }

  int CandidateOf(const std::string& text) {
    auto [it, added] = candidateOf_.emplace(text, static_cast<int>(texts_.size()));
    if (added) texts_.push_back(text);
    return it->second;
  }

  int AtomOf(int candidate, const TStatDrawArray& items) {
    std::vector<uint64_t> key;
    for (const TStatDraw& s : items)
      key.push_back(uint64_t{s.Key.K1} | uint64_t{s.Key.K2} << 16 | uint64_t{s.Key.K3} << 32 |
                    uint64_t{s.Key.K4} << 48);
    auto [it, added] =
        atomOf_.emplace(std::make_pair(candidate, std::move(key)), static_cast<int>(atoms_.size()));
    if (added) atoms_.push_back({items});
    return it->second;
  }

  bool Prepare();
  void AddGroup(const std::vector<int>& atoms, int last);
  std::vector<std::string> Choose(bool& stopped);
  // The union at draw t with candidate c added.
  TUnionAt With(size_t t, const TUnionAt& u, int c);

  TGroup& GroupOf(const TSearchDraw& d) { return groups_[static_cast<size_t>(d.Group)]; }

  const TStatList& list_;
  int entry_;
  TTestRange range_;
  TValueSearchOptions options_;
  TDrawTables& tables_;
  const TTestProgress& progress_;
  std::unique_ptr<TCustomStat> filter_;
  bool unionOfValues_;
  TCountScratch scratch_;
  std::vector<std::string> texts_;
  std::map<std::string, int> candidateOf_;
  std::vector<TAtom> atoms_;
  std::map<std::pair<int, std::vector<uint64_t>>, int> atomOf_;
  std::vector<TSearchDraw> draws_;
  std::vector<TGroup> groups_;
};

// The table before every draw, its values, which of them let the draw survive, and the counts
// of the combinations each keeps.
bool TChooser::Prepare() {
  // A method of the combination alone: one set of counts serves every draw.
  const bool combOnly = ReadsCombinationAlone(*list_.Items(entry_).StatClass);
  for (int index = range_.First; index <= range_.Last; ++index) {
    std::vector<std::pair<int, TStatDrawArray>> present;
    for (const TStatDraw& item : tables_.Before(index)) {
      const int c = CandidateOf(filter_->ValueText(item));
      auto it =
          std::find_if(present.begin(), present.end(), [c](const auto& p) { return p.first == c; });
      if (it == present.end()) it = present.insert(present.end(), {c, TStatDrawArray()});
      it->second.push_back(item);
    }
    TSearchDraw d;
    d.Index = index;
    d.AtomOf.assign(texts_.size(), -1);
    d.Survives.assign(texts_.size(), 0);
    std::vector<int> atoms;
    for (const auto& [c, values] : present) {
      const int a = AtomOf(c, values);
      atoms.push_back(a);
      d.AtomOf[static_cast<size_t>(c)] = a;
      d.Survives[static_cast<size_t>(c)] =
          DrawSurvives(*filter_, values, index, options_.Sorted, false);
    }
    d.Group = combOnly ? 0 : static_cast<int>(groups_.size());
    if (!combOnly) AddGroup(atoms, AnalysisPointOf(index));
    draws_.push_back(std::move(d));
    if (!Poll(static_cast<int>(draws_.size()))) return false;
  }
  if (combOnly) {
    std::vector<int> atoms(atoms_.size());
    for (size_t i = 0; i < atoms.size(); ++i) atoms[i] = static_cast<int>(i);
    AddGroup(atoms, AnalysisPointOf(range_.Last));
  }
  return true;
}

void TChooser::AddGroup(const std::vector<int>& atoms, int last) {
  TGroup g;
  std::vector<TStatDrawArray> values;
  for (int a : atoms) {
    g.LocalOf[a] = static_cast<int>(values.size());
    values.push_back(atoms_[static_cast<size_t>(a)].Items);
  }
  g.Counts = std::make_unique<TValueCounts>(*filter_, std::move(values), last, options_.Sorted,
                                            unionOfValues_, scratch_);
  groups_.push_back(std::move(g));
}

TUnionAt TChooser::With(size_t t, const TUnionAt& u, int c) {
  const TSearchDraw& d = draws_[t];
  const int a = d.Atom(c);
  if (a < 0) return u;
  TGroup& g = GroupOf(d);
  const int local = g.LocalOf.at(a);
  TUnionAt w;
  w.Set = u.Set;
  w.Set.insert(std::upper_bound(w.Set.begin(), w.Set.end(), local), local);
  w.Kept = g.Counts->KeptByUnion(w.Set);
  w.Survives = unionOfValues_ ? u.Survives || d.Survives[static_cast<size_t>(c)]
                              : DrawSurvives(*filter_, g.Counts->ItemsOf(w.Set), d.Index,
                                             options_.Sorted, false);
  return w;
}

std::vector<std::string> TChooser::Choose(bool& stopped) {
  const size_t n = draws_.size();
  const int64_t limit = options_.Budget * static_cast<int64_t>(n);
  std::vector<TUnionAt> current(n);
  int64_t keptSum = 0;
  int64_t survivals = 0;

  std::vector<int> pool;
  for (int c = 0; c < static_cast<int>(texts_.size()); ++c) pool.push_back(c);

  std::vector<std::string> chosen;
  std::vector<TUnionAt> trial(n), best(n);
  while (!pool.empty()) {
    int bestValue = -1;
    int64_t bestGain = 0, bestAdded = 0, bestSum = 0;
    std::vector<int> keep;
    for (int c : pool) {
      if (unionOfValues_) {
        // The union only grows: a value that adds no survival now never will, and one that
        // breaks the budget now always will. Both are dropped for good.
        bool gains = false;
        for (size_t t = 0; t < n && !gains; ++t)
          gains = !current[t].Survives && draws_[t].Atom(c) >= 0 &&
                  draws_[t].Survives[static_cast<size_t>(c)];
        if (!gains) continue;
      }
      int64_t sum = 0, surv = 0;
      for (size_t t = 0; t < n && (sum <= limit || !unionOfValues_); ++t) {
        trial[t] = With(t, current[t], c);
        sum += trial[t].Kept;
        surv += trial[t].Survives ? 1 : 0;
      }
      if (!Poll(static_cast<int>(n))) {
        stopped = true;
        return chosen;
      }
      if (!unionOfValues_) keep.push_back(c);
      if (sum > limit) continue;
      if (unionOfValues_) keep.push_back(c);
      const int64_t gain = surv - survivals;
      const int64_t added = sum - keptSum;
      if (gain <= 0) continue;
      // The most survivals per added combination (none added beats any), compared crosswise;
      // then more survivals, fewer combinations, the earlier value.
      bool better = bestValue < 0;
      if (!better) {
        const int64_t lhs = gain * std::max<int64_t>(bestAdded, 0);
        const int64_t rhs = bestGain * std::max<int64_t>(added, 0);
        better = (added <= 0 && bestAdded > 0) ||
                 ((added > 0) == (bestAdded > 0) &&
                  (lhs > rhs ||
                   (lhs == rhs && (gain > bestGain || (gain == bestGain && added < bestAdded)))));
      }
      if (better) {
        bestValue = c;
        bestGain = gain;
        bestAdded = added;
        bestSum = sum;
        best.swap(trial);
      }
    }
    pool = std::move(keep);
    if (bestValue < 0) break;
    current.swap(best);
    keptSum = bestSum;
    survivals += bestGain;
    chosen.push_back(texts_[static_cast<size_t>(bestValue)]);
    pool.erase(std::find(pool.begin(), pool.end(), bestValue));
  }
  return chosen;
}

}  // namespace

std::vector<std::string> ChooseValues(const TStatList& list, int entry, TTestRange range,
                                      const TValueSearchOptions& options,
                                      const TTestProgress& progress, bool& stopped) {
  TDrawTables tables(list, entry, options.Len, options.Sorted);
  return ChooseValues(list, entry, range, options, tables, progress, stopped);
}

std::vector<std::string> ChooseValues(const TStatList& list, int entry, TTestRange range,
                                      const TValueSearchOptions& options, TDrawTables& tables,
                                      const TTestProgress& progress, bool& stopped) {
  TChooser chooser(list, entry, range, options, tables, progress);
  return chooser.Run(stopped);
}

TValueSearchResult RunValueSearch(const TStatList& list, int entry, TTestRange range,
                                  const TValueSearchOptions& options,
                                  const TTestProgress& progress) {
  TValueSearchResult r;
  SplitWalkForward(range, r.Older, r.Newer);
  if (r.Older.Count() < 1 || r.Newer.Count() < 1)
    Raise(
        "Для подбора значений нужно не менее двух тиражей, перед каждым из которых есть "
        "тираж!");
  const int total = r.Older.Count() * 2 + r.Newer.Count();
  auto phase = [&](int offset) -> TTestProgress {
    if (!progress) return {};
    return [&progress, offset, total](int done, int) { return progress(offset + done, total); };
  };
  TDrawTables tables(list, entry, options.Len, options.Sorted);
  r.Values = ChooseValues(list, entry, r.Older, options, tables, phase(0), r.Stopped);
  if (r.Stopped) return r;
  r.InSample = RunFilterTest(list, entry, r.Values, r.Older, false, tables, phase(r.Older.Count()));
  r.Stopped = r.InSample.Stopped;
  if (r.Stopped) return r;
  r.OutOfSample =
      RunFilterTest(list, entry, r.Values, r.Newer, false, tables, phase(2 * r.Older.Count()));
  r.Stopped = r.OutOfSample.Stopped;
  return r;
}

}  // namespace kvarn
