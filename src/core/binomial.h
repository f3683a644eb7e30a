// Small exact statistics of a run of independent yes/no trials: the Wilson interval of the
// success rate and the upper tail of the Poisson-binomial distribution (trials with unequal
// success probabilities).
#pragma once

#include <span>
#include <vector>

namespace kvarn {

// The normal quantile of a two-sided 95 % interval.
constexpr double Z95 = 1.959963984540054;

struct TInterval {
  double Low = 0;
  double High = 1;
};

// Wilson score interval of the success rate; [0, 1] when there are no trials.
TInterval WilsonInterval(int successes, int trials, double z = Z95);

// P(X = j), j = 0..n, for X the number of successes of independent trials with the given
// success probabilities (each clamped to 0..1); exact convolution, O(n²).
std::vector<double> PoissonBinomialPmf(std::span<const double> probs);

// P(X >= k): 1 for k <= 0, 0 for k above the number of trials.
double PoissonBinomialUpperTail(std::span<const double> probs, int k);
// P(X <= k): 0 for k < 0, 1 for k at or above the number of trials.
double PoissonBinomialLowerTail(std::span<const double> probs, int k);

}  // namespace kvarn
