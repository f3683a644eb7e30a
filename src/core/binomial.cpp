#include "core/binomial.h"

#include <algorithm>
#include <cmath>

namespace kvarn {

TInterval WilsonInterval(int successes, int trials, double z) {
  if (trials <= 0) return {0, 1};
  const double n = trials;
  const double p = std::clamp(successes / n, 0.0, 1.0);
  const double z2 = z * z;
  const double denom = 1 + z2 / n;
  const double centre = (p + z2 / (2 * n)) / denom;
  const double half = z / denom * std::sqrt(p * (1 - p) / n + z2 / (4 * n * n));
  TInterval r{std::max(0.0, centre - half), std::min(1.0, centre + half)};
  // The bounds at the ends are exact; rounding must not move them off 0 or 1.
  if (successes <= 0) r.Low = 0;
  if (successes >= trials) r.High = 1;
  return r;
}

namespace {

// Extended precision: the products of many factors near 1 lose less this way.
std::vector<long double> Convolve(std::span<const double> probs) {
  std::vector<long double> pmf(probs.size() + 1, 0.0L);
  pmf[0] = 1;
  size_t n = 0;
  for (double raw : probs) {
    const long double p = std::clamp(raw, 0.0, 1.0);
    const long double q = 1 - p;
    ++n;
    for (size_t j = n; j > 0; --j) pmf[j] = pmf[j] * q + pmf[j - 1] * p;
    pmf[0] *= q;
  }
  return pmf;
}

}  // namespace

std::vector<double> PoissonBinomialPmf(std::span<const double> probs) {
  const std::vector<long double> pmf = Convolve(probs);
  return std::vector<double>(pmf.begin(), pmf.end());
}

double PoissonBinomialUpperTail(std::span<const double> probs, int k) {
  if (k <= 0) return 1;
  if (static_cast<size_t>(k) > probs.size()) return 0;
  const std::vector<long double> pmf = Convolve(probs);
  // Summed from the far end: the small terms first.
  long double tail = 0;
  for (size_t j = pmf.size(); j-- > static_cast<size_t>(k);) tail += pmf[j];
  return static_cast<double>(std::min<long double>(1, tail));
}

double PoissonBinomialLowerTail(std::span<const double> probs, int k) {
  if (k < 0) return 0;
  if (static_cast<size_t>(k) >= probs.size()) return 1;
  const std::vector<long double> pmf = Convolve(probs);
  long double tail = 0;
  for (size_t j = 0; j <= static_cast<size_t>(k); ++j) tail += pmf[j];
  return static_cast<double>(std::min<long double>(1, tail));
}

}  // namespace kvarn
