#include "stats/methods/formula.h"

#include <algorithm>
#include <array>
#include <cfenv>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "stats/methods/formula_ops.h"
#include "stats/whole_part.h"

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

// ---- the arithmetic, shared by the evaluation of a text and of a compiled formula ----

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
    return p_.Const(CheckedValue(std::strtold(t.c_str(), nullptr)));
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

}  // namespace

const char* const kFormulaSyntax = kSyntax;

long double CheckedValue(long double v) {
  if (!std::isfinite(v)) throw FormulaError(kFloat);
  return v;
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

char FormulaUpper(char ch) {
  return ch >= 'a' && ch <= 'z' ? static_cast<char>(ch - 'a' + 'A') : ch;
}

bool FormulaBlank(char ch) {
  return static_cast<unsigned char>(ch) < '!';
}

void ParseFormulaNodes(std::string text, std::vector<int8_t> vars,
                       std::vector<TFormulaNode>& nodes) {
  Prepare(text, &vars);
  TParser<TCompile>(std::move(text), std::move(vars), TCompile{nodes}).Run();
}

long double EvaluateFormula(std::string_view text) {
  std::string s;
  s.reserve(text.size() + 1);
  for (char ch : text)
    if (!FormulaBlank(ch)) s += FormulaUpper(ch);
  Prepare(s, nullptr);
  return CheckedValue(TParser<TEvaluate>(std::move(s), {}, TEvaluate{}).Run());
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
