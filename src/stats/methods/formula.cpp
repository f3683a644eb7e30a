#include "stats/methods/formula.h"

#include "stats/whole_part.h"

#include <algorithm>
#include <array>
#include <cfenv>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <string>
#include <vector>

namespace kvarn {

namespace {

const char kEnd = '\0';
const char* const kNoParen = "Не хватает скобочки";
const char* const kSyntax = "Синтаксическая ошибка";
const char* const kDivZero = "Деление на нуль";
const char* const kLogNeg = "Выражение под логарифмом меньне нуля";
const char* const kSqrtNeg = "Выражение под корнем меньне нуля";
const char* const kFloat = "Ошибка в операции с плавающей точкой";

// Nesting deeper than any real formula would exhaust the stack on hostile input.
constexpr int kMaxDepth = 200;

long double Checked(long double v) {
  if (!std::isfinite(v)) throw FormulaError(kFloat);
  return v;
}

// ---- the arithmetic, shared by the evaluation of a text and of a compiled formula ----

enum class TOp : uint8_t { Const, Var, Add, Sub, Mul, Div, Pow, Func };

enum class TFunc : uint8_t {
  ArcTan,
  Cos,
  Sin,
  Tan,
  Abs,
  Exp,
  Ln,
  Log,
  Sqrt,
  Sqr,
  Int,
  Frac,
  Round,
  ArcSin,
  ArcCos,
  Sign,
  Not
};

bool FunctionNamed(const std::string& name, TFunc& f) {
  static const struct {
    const char* name;
    TFunc f;
  } table[] = {{"ARCTAN", TFunc::ArcTan}, {"COS", TFunc::Cos},     {"SIN", TFunc::Sin},
               {"TAN", TFunc::Tan},       {"ABS", TFunc::Abs},     {"EXP", TFunc::Exp},
               {"LN", TFunc::Ln},         {"LOG", TFunc::Log},     {"SQRT", TFunc::Sqrt},
               {"SQR", TFunc::Sqr},       {"INT", TFunc::Int},     {"TRUNC", TFunc::Int},
               {"FRAC", TFunc::Frac},     {"ROUND", TFunc::Round}, {"ARCSIN", TFunc::ArcSin},
               {"ARCCOS", TFunc::ArcCos}, {"SIGN", TFunc::Sign},   {"NOT", TFunc::Not}};
  for (const auto& e : table)
    if (name == e.name) {
      f = e.f;
      return true;
    }
  return false;
}

// The arithmetic without exceptions: null, or the failure's message.
const char* FunctionOf(TFunc f, long double x, long double& out) {
  long double r = 0;
  switch (f) {
    case TFunc::ArcTan:
      r = std::atan(x);
      break;
    case TFunc::Cos:
      r = std::cos(x);
      break;
    case TFunc::Sin:
      r = std::sin(x);
      break;
    case TFunc::Tan: {
      long double c = std::cos(x);
      if (c == 0) return kDivZero;
      r = std::sin(x) / c;
      break;
    }
    case TFunc::Abs:
      r = std::fabs(x);
      break;
    case TFunc::Exp:
      r = std::exp(x);
      break;
    case TFunc::Ln:
      if (x <= 0) return kLogNeg;
      r = std::log(x);
      break;
    case TFunc::Log:
      if (x <= 0) return kLogNeg;
      r = std::log10(x);
      break;
    case TFunc::Sqrt:
      if (x < 0) return kSqrtNeg;
      r = std::sqrt(x);
      break;
    case TFunc::Sqr:
      r = x * x;
      break;
    case TFunc::Int:
      r = std::trunc(x);
      break;
    case TFunc::Frac:
      r = x - std::trunc(x);
      break;
    case TFunc::Round:
      // Halves go to the even neighbour.
      if (std::fabs(x) > 9.2e18L) return kFloat;
      std::fesetround(FE_TONEAREST);
      r = std::nearbyint(x);
      break;
    case TFunc::ArcSin:
      if (x < -1 || x > 1) return kFloat;
      r = std::asin(x);
      break;
    case TFunc::ArcCos:
      if (x < -1 || x > 1) return kFloat;
      r = std::acos(x);
      break;
    case TFunc::Sign:
      r = x > 0 ? 1 : (x < 0 ? -1 : 0);
      break;
    case TFunc::Not:
      if (std::fabs(x) > 9.2e18L) return kFloat;
      r = static_cast<long double>(~static_cast<int64_t>(std::trunc(x)));
      break;
  }
  if (!std::isfinite(r)) return kFloat;
  out = r;
  return nullptr;
}

const char* BinaryOf(TOp op, long double a, long double b, long double& out) {
  long double r;
  switch (op) {
    case TOp::Add:
      r = a + b;
      break;
    case TOp::Sub:
      r = a - b;
      break;
    case TOp::Mul:
      r = a * b;
      break;
    case TOp::Div:
      if (b == 0) return kDivZero;
      r = a / b;
      break;
    default:  // TOp::Pow
      if (a == 0 && b < 0) return kDivZero;
      r = std::pow(a, b);
  }
  if (!std::isfinite(r)) return kFloat;
  out = r;
  return nullptr;
}

long double Function(TFunc f, long double x) {
  long double r = 0;
  if (const char* e = FunctionOf(f, x, r)) throw FormulaError(e);
  return r;
}

long double Binary(TOp op, long double a, long double b) {
  long double r = 0;
  if (const char* e = BinaryOf(op, a, b, r)) throw FormulaError(e);
  return r;
}

// Evaluates while it reads.
struct TEvaluate {
  using Value = long double;
  Value Const(long double v) { return v; }
  Value Var(int) { throw FormulaError(kSyntax); }
  Value Op(TOp op, Value a, Value b) { return Binary(op, a, b); }
  Value Call(TFunc f, Value x) { return Function(f, x); }
};

// Writes the operations in the order they would be evaluated, operands first.
struct TCompile {
  using Value = int;
  std::vector<TFormulaNode>& nodes;
  Value Add(TFormulaNode n) {
    nodes.push_back(n);
    return static_cast<int>(nodes.size()) - 1;
  }
  Value Node(TOp op, uint8_t f, int a, int b, long double v) {
    TFormulaNode n;
    n.Op = static_cast<uint8_t>(op);
    n.Func = f;
    n.A = a;
    n.B = b;
    n.Value = v;
    return Add(n);
  }
  Value Const(long double v) { return Node(TOp::Const, 0, 0, 0, v); }
  Value Var(int i) { return Node(TOp::Var, 0, i, 0, 0); }
  Value Op(TOp op, Value a, Value b) { return Node(op, 0, a, b, 0); }
  Value Call(TFunc f, Value x) { return Node(TOp::Func, static_cast<uint8_t>(f), x, 0, 0); }
};

// The prepared text of a formula (blanks dropped, letters upper case, "0" before a leading sign,
// an end mark). vars[k] >= 0 marks a variable standing at k (compiled formulas only).
template <class P>
class TParser {
 public:
  TParser(std::string text, std::vector<int8_t> vars, P policy)
      : s_(std::move(text)), vars_(std::move(vars)), p_(policy) {}

  typename P::Value Run() {
    auto v = Expression();
    // The whole text must be used: a stray ")" or "," would silently drop the rest.
    if (Peek() != kEnd) throw FormulaError(kSyntax);
    return v;
  }

 private:
  using Value = typename P::Value;

  char Peek() const { return pos_ < s_.size() ? s_[pos_] : kEnd; }
  bool AtVar() const { return pos_ < vars_.size() && vars_[pos_] >= 0; }

  Value Expression() {
    if (++depth_ > kMaxDepth) throw FormulaError(kSyntax);
    Value v = Term();
    for (;;) {
      char c = AtVar() ? 'v' : Peek();
      if (c == '+') {
        ++pos_;
        v = p_.Op(TOp::Add, v, Term());
      } else if (c == '-') {
        ++pos_;
        v = p_.Op(TOp::Sub, v, Term());
      } else {
        break;
      }
    }
    char c = AtVar() ? 'v' : Peek();
    if (c != kEnd && c != ')' && c != ',' && c != '<' && c != '=' && c != '>')
      throw FormulaError(kSyntax);
    --depth_;
    return v;
  }

  Value Term() {
    Value v = Factor();
    for (;;) {
      char c = AtVar() ? 'v' : Peek();
      TOp op;
      if (c == '*')
        op = TOp::Mul;
      else if (c == '/')
        op = TOp::Div;
      else if (c == '^')
        op = TOp::Pow;
      else
        return v;
      ++pos_;
      Value right = Factor();
      v = p_.Op(op, v, right);
    }
  }

  static bool IsDigit(char c) { return c >= '0' && c <= '9'; }

  Value Number() {
    size_t b = pos_;
    while (IsDigit(Peek())) ++pos_;
    if (Peek() == '.') {
      ++pos_;
      while (IsDigit(Peek())) ++pos_;
    }
    if (Peek() == 'E') {
      size_t save = pos_;
      ++pos_;
      if (Peek() == '+' || Peek() == '-') ++pos_;
      if (IsDigit(Peek())) {
        while (IsDigit(Peek())) ++pos_;
      } else {
        pos_ = save;
      }
    }
    std::string t = s_.substr(b, pos_ - b);
    if (t == ".") throw FormulaError(kSyntax);
    return p_.Const(Checked(std::strtold(t.c_str(), nullptr)));
  }

  Value Factor() {
    if (AtVar()) return p_.Var(vars_[pos_++]);
    char c = Peek();
    if (IsDigit(c) || c == '.') return Number();
    if (c == '(') {
      ++pos_;
      Value v = Expression();
      if (Peek() != ')') throw FormulaError(kNoParen);
      ++pos_;
      return v;
    }
    if (c >= 'A' && c <= 'Z') {
      size_t b = pos_;
      while (Peek() >= 'A' && Peek() <= 'Z') ++pos_;
      std::string name = s_.substr(b, pos_ - b);
      if (Peek() != '(') throw FormulaError(kSyntax);
      ++pos_;
      Value arg = Expression();
      if (Peek() != ')') throw FormulaError(kNoParen);
      ++pos_;
      TFunc f;
      if (!FunctionNamed(name, f)) throw FormulaError(kSyntax);
      return p_.Call(f, arg);
    }
    throw FormulaError(kSyntax);
  }

  std::string s_;
  std::vector<int8_t> vars_;
  P p_;
  size_t pos_ = 0;
  int depth_ = 0;
};

// Blanks dropped, letters upper case, parentheses balanced, "0" before a leading sign. vars
// follows the text when given.
void Prepare(std::string& s, std::vector<int8_t>* vars) {
  int open = 0, close = 0;
  for (char c : s) {
    if (c == '(') ++open;
    if (c == ')') ++close;
  }
  if (open != close) throw FormulaError(kNoParen);
  if (!s.empty() && (s[0] == '+' || s[0] == '-')) {
    s.insert(s.begin(), '0');
    if (vars) vars->insert(vars->begin(), -1);
  }
}

char Upper(char ch) {
  return ch >= 'a' && ch <= 'z' ? static_cast<char>(ch - 'a' + 'A') : ch;
}

bool IsBlank(char ch) {
  return static_cast<unsigned char>(ch) < '!';
}

}  // namespace

long double EvaluateFormula(std::string_view text) {
  std::string s;
  s.reserve(text.size() + 1);
  for (char ch : text)
    if (!IsBlank(ch)) s += Upper(ch);
  Prepare(s, nullptr);
  return Checked(TParser<TEvaluate>(std::move(s), {}, TEvaluate{}).Run());
}

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
      if (!IsBlank(ch)) {
        s += Upper(ch);
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
    while (j < formula.size() && IsBlank(formula[j])) ++j;
    if (j < formula.size() && after.find(formula[j]) == std::string_view::npos) return false;
    s += '#';
    vars.push_back(static_cast<int8_t>(v));
    ++k;
  }
  valid_ = true;
  try {
    Prepare(s, &vars);
    TParser<TCompile>(std::move(s), std::move(vars), TCompile{nodes_}).Run();
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
  if (alwaysError_ || nodes_.empty()) throw FormulaError(kSyntax);
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
  return Checked(v[nodes_.size() - 1]);
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

namespace {

const std::array<long double, 19>& PowersOfTen() {
  static const auto powers = [] {
    std::array<long double, 19> p{};
    for (int d = 0; d <= 18; ++d) p[static_cast<size_t>(d)] = std::pow(10.0L, d);
    return p;
  }();
  return powers;
}

// digits is 0..18, scale its power of ten.
inline int Shred(long double value, long double scale) {
  if (!std::isfinite(value)) return 0;
  long double a = std::fabs(value);
  long double frac = a - TruncNonNegative(a);
  // A tolerance far below one unit of the last digit absorbs the binary representation error of
  // exact decimals (6/5 = 1.2 gives 20, not 19); it grows with the magnitude of the value.
  long double tol = std::clamp(a * scale * 1e-15L, 1e-9L, 1e-3L);
  long double scaled = frac * scale + tol;
  long double r = TruncNonNegative(scaled);
  // A fraction a hair below 1 is the next whole number: no fractional digits.
  if (r >= scale) return 0;
  return static_cast<int>(WholeToInt64(r));
}

}  // namespace

int ShredFraction(long double value, int digits) {
  digits = digits < 0 ? 0 : (digits > 18 ? 18 : digits);
  return Shred(value, PowersOfTen()[static_cast<size_t>(digits)]);
}

void ShredFractions(const long double* values, const bool* failed, int count, int digits,
                    int32_t* out) {
  digits = digits < 0 ? 0 : (digits > 18 ? 18 : digits);
  const long double scale = PowersOfTen()[static_cast<size_t>(digits)];
  for (int k = 0; k < count; ++k) out[k] = failed[k] ? 0 : Shred(values[k], scale);
}

int ShredValue(const TComb& n, const TComb& p, const TComb& t, int digits,
               std::string_view formula) {
  std::string text(formula);
  for (int i = 1; i <= CombSize; ++i) {
    const struct {
      char lower, upper;
      const TComb& set;
    } vars[3] = {{'n', 'N', n}, {'p', 'P', p}, {'t', 'T', t}};
    for (const auto& v : vars) {
      std::string value = std::to_string(v.set[i - 1]);
      std::string out;
      out.reserve(text.size() + 8);
      for (size_t k = 0; k < text.size(); ++k) {
        if ((text[k] == v.lower || text[k] == v.upper) && k + 1 < text.size() &&
            text[k + 1] == static_cast<char>('0' + i)) {
          out += value;
          ++k;
        } else {
          out += text[k];
        }
      }
      text.swap(out);
    }
  }
  try {
    return ShredFraction(EvaluateFormula(text), digits);
  } catch (const std::exception&) {
    return 0;
  }
}

}  // namespace kvarn
