// The compiled formula: reading a formula once into operations, and evaluating them for one
// number set, for a batch of them, and shredded with the values remembered.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "stats/methods/formula.h"
#include "stats/methods/formula_ops.h"

namespace kvarn {

namespace {

// The variable at formula[k] ("n1".."t5", any case): 0..14, else -1.
int VarAt(std::string_view f, size_t k) {
  if (k + 1 >= f.size() || f[k + 1] < '1' || f[k + 1] > '5') return -1;
  const char* sets = "nNpPtT";
  const char* hit = std::char_traits<char>::find(sets, 6, f[k]);
  if (!hit) return -1;
  return static_cast<int>(hit - sets) / 2 * CombSize + (f[k + 1] - '1');
}

}  // namespace

bool TCompiledFormula::Compile(std::string_view formula) {
  nodes_.clear();
  valid_ = false;
  alwaysError_ = false;
  // The text, with each variable as one marked character, and a check that the substitution
  // would put a plain number there: only signs, operators, parentheses, commas and comparison
  // marks (or nothing) beside it, so that no digits, points or exponents join it and no letter
  // turns into a variable.
  std::string s;
  std::vector<int8_t> vars;
  const std::string_view before = "(+-*/^,<=>";
  const std::string_view after = ")+-*/^,<=>";
  for (size_t k = 0; k < formula.size(); ++k) {
    const char ch = formula[k];
    const int v = VarAt(formula, k);
    if (v < 0) {
      if (!FormulaBlank(ch)) {
        s += FormulaUpper(ch);
        vars.push_back(-1);
      }
      continue;
    }
    if (!s.empty()) {
      if (before.find(s.back()) == std::string_view::npos) return false;
      // "2E-n1" would read the number as an exponent.
      if ((s.back() == '+' || s.back() == '-') && s.size() >= 2 && s[s.size() - 2] == 'E')
        return false;
    }
    size_t j = k + 2;
    while (j < formula.size() && FormulaBlank(formula[j])) ++j;
    if (j < formula.size() && after.find(formula[j]) == std::string_view::npos) return false;
    s += '#';
    vars.push_back(static_cast<int8_t>(v));
    ++k;
  }
  valid_ = true;
  try {
    ParseFormulaNodes(std::move(s), std::move(vars), nodes_);
  } catch (const std::exception&) {
    // A formula that fails before any value is known fails for all of them.
    alwaysError_ = true;
    nodes_.clear();
  }
  MarkWholeNumbers();
  return true;
}

void TCompiledFormula::MarkWholeNumbers() {
  // Sums and differences of the numbers and of whole constants are whole numbers far inside
  // 2^63, which long double holds exactly: int64 gives the very same values, and never a -0
  // (only a product could make one). Their long double form is kept where another operation
  // reads it.
  std::vector<long double> bound(nodes_.size(), 0);
  for (size_t i = 0; i < nodes_.size(); ++i) {
    TFormulaNode& n = nodes_[i];
    const auto op = static_cast<TOp>(n.Op);
    n.Whole = false;
    if (op == TOp::Var) {
      n.Whole = true;
      bound[i] = 255;
    } else if (op == TOp::Const) {
      n.Whole = n.Value >= 0 && n.Value <= 2147483647.0L && n.Value == std::trunc(n.Value);
      bound[i] = n.Value;
    } else if (op == TOp::Add || op == TOp::Sub) {
      const auto a = static_cast<size_t>(n.A), b = static_cast<size_t>(n.B);
      bound[i] = bound[a] + bound[b];
      n.Whole = nodes_[a].Whole && nodes_[b].Whole && bound[i] < 4e18L;
    }
  }
  for (TFormulaNode& n : nodes_) n.Real = !n.Whole;
  for (const TFormulaNode& n : nodes_) {
    const auto op = static_cast<TOp>(n.Op);
    if (n.Whole || op == TOp::Const || op == TOp::Var) continue;
    nodes_[static_cast<size_t>(n.A)].Real = true;
    if (op != TOp::Func) nodes_[static_cast<size_t>(n.B)].Real = true;
  }
  if (!nodes_.empty()) nodes_.back().Real = true;
  PlanMemo();
}

void TCompiledFormula::PlanMemo() {
  // The real operations read only the whole numbers that feed them (the frontier): with few of
  // those, of few values each, a shredded value is remembered per tuple of them. Ranges assume
  // numbers 0..36; a set holding another number is evaluated in full.
  memo_.clear();
  frontier_.clear();
  memoSize_ = 0;
  if (alwaysError_ || nodes_.empty()) return;
  std::vector<int64_t> lo(nodes_.size(), 0), hi(nodes_.size(), 0);
  for (size_t i = 0; i < nodes_.size(); ++i) {
    const TFormulaNode& n = nodes_[i];
    if (!n.Whole) continue;
    const auto a = static_cast<size_t>(n.A), b = static_cast<size_t>(n.B);
    switch (static_cast<TOp>(n.Op)) {
      case TOp::Var:
        lo[i] = 0;
        hi[i] = NumbersCount;
        break;
      case TOp::Const:
        lo[i] = hi[i] = static_cast<int64_t>(n.Value);
        break;
      case TOp::Add:
        lo[i] = lo[a] + lo[b];
        hi[i] = hi[a] + hi[b];
        break;
      default:  // TOp::Sub
        lo[i] = lo[a] - hi[b];
        hi[i] = hi[a] - lo[b];
    }
  }
  int64_t size = 1;
  for (size_t i = 0; i < nodes_.size(); ++i) {
    if (!nodes_[i].Whole || !nodes_[i].Real) continue;
    if (frontier_.size() == MaxFrontier) return;
    frontier_.push_back({static_cast<int>(i), lo[i], size});
    size *= hi[i] - lo[i] + 1;
    if (size > MaxMemo) {
      frontier_.clear();
      return;
    }
  }
  memoSize_ = static_cast<size_t>(size);
}

void TCompiledFormula::ShredBatch(const TComb* combs, int count, const TComb& p, const TComb& t,
                                  int digits, int32_t* out) const {
  bool small = memoSize_ > 0;
  for (int j = 0; j < CombSize; ++j) small = small && p[j] <= NumbersCount && t[j] <= NumbersCount;
  if (!small) {
    long double values[BatchSize];
    bool failed[BatchSize];
    EvaluateBatch(combs, count, p, t, values, failed);
    ShredFractions(values, failed, count, digits, out);
    return;
  }
  if (memo_.size() != memoSize_ || memoP_ != p || memoT_ != t || memoDigits_ != digits) {
    memo_.assign(memoSize_, kUnknown);
    memoP_ = p;
    memoT_ = t;
    memoDigits_ = digits;
  }
  EvaluateWhole(combs, count, p, t);
  const auto b = static_cast<size_t>(BatchSize);
  for (int k = 0; k < count; ++k) {
    bool plain = true;
    for (int j = 0; j < CombSize; ++j)
      plain = plain && combs[k][static_cast<size_t>(j)] <= NumbersCount;
    int32_t* slot = nullptr;
    if (plain) {
      int64_t index = 0;
      for (const TFrontier& f : frontier_)
        index += (wholeScratch_[static_cast<size_t>(f.Node) * b + static_cast<size_t>(k)] - f.Low) *
                 f.Stride;
      slot = &memo_[static_cast<size_t>(index)];
      if (*slot != kUnknown) {
        out[k] = *slot;
        continue;
      }
    }
    int32_t v = 0;
    try {
      v = ShredFraction(Evaluate(combs[k], p, t), digits);
    } catch (const FormulaError&) {
      v = 0;
    }
    out[k] = v;
    if (slot) *slot = v;
  }
}

long double TCompiledFormula::Evaluate(const TComb& n, const TComb& p, const TComb& t) const {
  if (alwaysError_ || nodes_.empty()) throw FormulaError(kFormulaSyntax);
  long double values[MaxNodes];
  int64_t wholes[MaxNodes];
  std::vector<long double> bigValues;
  std::vector<int64_t> bigWholes;
  long double* v = values;
  int64_t* w = wholes;
  if (nodes_.size() > MaxNodes) {
    bigValues.resize(nodes_.size());
    bigWholes.resize(nodes_.size());
    v = bigValues.data();
    w = bigWholes.data();
  }
  const TComb* sets[3] = {&n, &p, &t};
  for (size_t i = 0; i < nodes_.size(); ++i) {
    const TFormulaNode& node = nodes_[i];
    const auto op = static_cast<TOp>(node.Op);
    if (node.Whole) {
      switch (op) {
        case TOp::Var:
          w[i] = (*sets[node.A / CombSize])[static_cast<size_t>(node.A % CombSize)];
          break;
        case TOp::Const:
          w[i] = static_cast<int64_t>(node.Value);
          break;
        case TOp::Add:
          w[i] = w[node.A] + w[node.B];
          break;
        default:  // TOp::Sub
          w[i] = w[node.A] - w[node.B];
      }
      if (node.Real) v[i] = static_cast<long double>(w[i]);
      continue;
    }
    switch (op) {
      case TOp::Const:
        v[i] = node.Value;
        break;
      case TOp::Func:
        v[i] = Function(static_cast<TFunc>(node.Func), v[node.A]);
        break;
      default:
        v[i] = Binary(op, v[node.A], v[node.B]);
    }
  }
  return CheckedValue(v[nodes_.size() - 1]);
}

void TCompiledFormula::EvaluateWhole(const TComb* combs, int count, const TComb& p,
                                     const TComb& t) const {
  const auto b = static_cast<size_t>(BatchSize);
  realScratch_.resize(nodes_.size() * b);
  wholeScratch_.resize(nodes_.size() * b);
  const TComb* fixed[3] = {nullptr, &p, &t};
  for (size_t i = 0; i < nodes_.size(); ++i) {
    const TFormulaNode& node = nodes_[i];
    if (!node.Whole) continue;
    const auto op = static_cast<TOp>(node.Op);
    int64_t* w = &wholeScratch_[i * b];
    const int64_t* wa = &wholeScratch_[static_cast<size_t>(node.A) * b];
    const int64_t* wb = &wholeScratch_[static_cast<size_t>(node.B) * b];
    if (op == TOp::Var) {
      const int set = node.A / CombSize;
      const auto pos = static_cast<size_t>(node.A % CombSize);
      if (set == 0) {
        for (int k = 0; k < count; ++k) w[k] = combs[k][pos];
      } else {
        std::fill(w, w + count, int64_t{(*fixed[set])[pos]});
      }
    } else if (op == TOp::Const) {
      std::fill(w, w + count, static_cast<int64_t>(node.Value));
    } else if (op == TOp::Add) {
      for (int k = 0; k < count; ++k) w[k] = wa[k] + wb[k];
    } else {
      for (int k = 0; k < count; ++k) w[k] = wa[k] - wb[k];
    }
  }
}

void TCompiledFormula::EvaluateBatch(const TComb* combs, int count, const TComb& p, const TComb& t,
                                     long double* values, bool* failed) const {
  const bool never = alwaysError_ || nodes_.empty();
  std::fill(failed, failed + count, never);
  if (never || count <= 0) return;
  const auto b = static_cast<size_t>(BatchSize);
  // Node by node over the whole batch: the operation is chosen once per node, not per value.
  EvaluateWhole(combs, count, p, t);
  for (size_t i = 0; i < nodes_.size(); ++i) {
    const TFormulaNode& node = nodes_[i];
    const auto op = static_cast<TOp>(node.Op);
    long double* v = &realScratch_[i * b];
    const long double* va = &realScratch_[static_cast<size_t>(node.A) * b];
    const long double* vb = &realScratch_[static_cast<size_t>(node.B) * b];
    if (node.Whole) {
      if (node.Real) {
        const int64_t* w = &wholeScratch_[i * b];
        for (int k = 0; k < count; ++k) v[k] = static_cast<long double>(w[k]);
      }
      continue;
    }
    switch (op) {
      case TOp::Const:
        std::fill(v, v + count, node.Value);
        break;
      case TOp::Div:
        for (int k = 0; k < count; ++k) {
          const long double d = vb[k];
          const long double r = va[k] / (d == 0 ? 1 : d);
          const bool bad = d == 0 || !std::isfinite(r);
          failed[k] = failed[k] || bad;
          v[k] = bad ? 0 : r;
        }
        break;
      case TOp::Func:
        for (int k = 0; k < count; ++k)
          if (FunctionOf(static_cast<TFunc>(node.Func), va[k], v[k])) {
            failed[k] = true;
            v[k] = 0;
          }
        break;
      default:
        for (int k = 0; k < count; ++k)
          if (BinaryOf(op, va[k], vb[k], v[k])) {
            failed[k] = true;
            v[k] = 0;
          }
    }
  }
  const long double* last = &realScratch_[(nodes_.size() - 1) * b];
  std::copy(last, last + count, values);
}

}  // namespace kvarn
