#include "stakes/rating_chance.h"

#include <algorithm>
#include <cmath>

namespace kvarn {

namespace {

constexpr int kKinds = CombSize + 1;
using TDistribution = std::array<long double, kKinds>;

// C(n, k) exactly; 0 when k is outside 0..n.
long double Binomial(int n, int k) {
  if (k < 0 || k > n) return 0;
  long double r = 1;
  for (int i = 1; i <= k; ++i) r = r * (n - k + i) / i;
  return std::roundl(r);
}

bool ValidSize(int n) {
  return n >= CombSize && n <= MaxSetSize;
}

void Moments(const TChanceSample& s, long double& mean, long double& variance) {
  mean = 0;
  variance = 0;
  for (int n = CombSize; n <= MaxSetSize; ++n) {
    const uint64_t c = s.StakesBySize[static_cast<size_t>(n)];
    if (c == 0) continue;
    const TDistribution d = StakeMatchDistribution(n);
    long double m1 = 0, m2 = 0;
    for (int k = 0; k < kKinds; ++k) {
      m1 += k * d[static_cast<size_t>(k)];
      m2 += static_cast<long double>(k) * k * d[static_cast<size_t>(k)];
    }
    mean += c * m1;
    variance += c * (m2 - m1 * m1);
  }
}

}  // namespace

TDistribution StakeMatchDistribution(int n) {
  TDistribution d{};
  const long double all = Binomial(NumbersCount, CombSize);
  for (int k = 0; k < kKinds; ++k)
    d[static_cast<size_t>(k)] = Binomial(n, k) * Binomial(NumbersCount - n, CombSize - k) / all;
  return d;
}

bool ChanceAddStake(TChanceSample& sample, int n, int matches) {
  if (!ValidSize(n) || matches < 0 || matches > std::min(n, CombSize)) return false;
  sample.StakesBySize[static_cast<size_t>(n)] += 1;
  sample.Stakes += 1;
  sample.Matches += static_cast<uint64_t>(matches);
  return true;
}

long double ChancePExact(const TChanceSample& sample, uint64_t observed) {
  if (observed == 0) return 1;
  if (observed > sample.Stakes * CombSize) return 0;
  // Distribution of the sum, one stake at a time; all terms are positive, so the tail summed
  // directly keeps its relative precision however small it is.
  std::vector<long double> sum(1, 1.0L), next;
  sum.reserve(sample.Stakes * CombSize + 1);
  next.reserve(sample.Stakes * CombSize + 1);
  for (int n = CombSize; n <= MaxSetSize; ++n) {
    const TDistribution d = StakeMatchDistribution(n);
    for (uint64_t c = 0; c < sample.StakesBySize[static_cast<size_t>(n)]; ++c) {
      next.assign(sum.size() + CombSize, 0.0L);
      for (size_t s = 0; s < sum.size(); ++s)
        for (size_t k = 0; k < kKinds; ++k) next[s + k] += sum[s] * d[k];
      sum.swap(next);
    }
  }
  long double tail = 0;
  for (size_t s = sum.size(); s-- > observed;) tail += sum[s];
  return std::min(tail, 1.0L);
}

long double ChancePNormal(const TChanceSample& sample, uint64_t observed) {
  if (observed == 0) return 1;
  long double mean = 0, variance = 0;
  Moments(sample, mean, variance);
  if (variance <= 0) return 0;
  const long double z = (observed - 0.5L - mean) / std::sqrt(variance);
  return std::min(0.5L * std::erfc(z / std::sqrt(2.0L)), 1.0L);
}

TChanceResult ChanceTest(const TChanceSample& sample, uint64_t ratingCount) {
  TChanceResult r;
  r.Stakes = sample.Stakes;
  r.Matches = sample.Matches;
  r.NotFound = ratingCount > sample.Stakes ? ratingCount - sample.Stakes : 0;
  if (sample.Stakes == 0) return r;
  long double mean = 0, variance = 0;
  Moments(sample, mean, variance);
  r.Mean = static_cast<double>(sample.Matches) / static_cast<double>(sample.Stakes);
  r.ChanceMean = static_cast<double>(mean / sample.Stakes);
  r.Lift = r.Mean / r.ChanceMean;
  r.Exact = sample.Stakes <= ChanceExactLimit;
  r.P = static_cast<double>(r.Exact ? ChancePExact(sample, sample.Matches)
                                    : ChancePNormal(sample, sample.Matches));
  return r;
}

std::string ChanceVerdict(const TChanceResult& r) {
  if (r.Stakes == 0) return "нет проверенных ставок";
  return r.P < ChanceSignificance ? "лучше случайного при p < 0.05" : "не отличается от случайного";
}

TChanceCollector::TChanceCollector(const std::vector<std::string>& names) {
  for (const std::string& name : names) {
    int at = index_.Find(name);
    if (at < 0) {
      at = static_cast<int>(samples_.size());
      samples_.emplace_back();
      index_.Add(name, at);
    }
    sampleOf_.push_back(static_cast<size_t>(at));
  }
}

void TChanceCollector::AddStake(std::string_view comment, int n, int matches) {
  const int at = index_.Find(comment);
  if (at >= 0) ChanceAddStake(samples_[static_cast<size_t>(at)], n, matches);
}

}  // namespace kvarn
