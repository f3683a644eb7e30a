#include "stats/methods/formula.h"

#include <algorithm>
#include <cfenv>
#include <cmath>
#include <cstdint>
#include <numbers>

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

class TParser {
 public:
  explicit TParser(std::string text) : s_(std::move(text)) {}

  long double Run() {
    long double v = Expression();
    // The whole text must be used: a stray ")" or "," would silently drop the rest.
    if (Peek() != kEnd) throw FormulaError(kSyntax);
    return Checked(v);
  }

 private:
  char Peek() const { return pos_ < s_.size() ? s_[pos_] : kEnd; }

  static long double Checked(long double v) {
    if (!std::isfinite(v)) throw FormulaError(kFloat);
    return v;
  }

  long double Expression() {
    if (++depth_ > kMaxDepth) throw FormulaError(kSyntax);
    long double v = Term();
    for (;;) {
      char c = Peek();
      if (c == '+') {
        ++pos_;
        v = Checked(v + Term());
      } else if (c == '-') {
        ++pos_;
        v = Checked(v - Term());
      } else {
        break;
      }
    }
    char c = Peek();
    if (c != kEnd && c != ')' && c != ',' && c != '<' && c != '=' && c != '>')
      throw FormulaError(kSyntax);
    --depth_;
    return v;
  }

  long double Term() {
    long double v = Factor();
    for (;;) {
      char c = Peek();
      if (c == '*') {
        ++pos_;
        v = Checked(v * Factor());
      } else if (c == '/') {
        ++pos_;
        long double d = Factor();
        if (d == 0) throw FormulaError(kDivZero);
        v = Checked(v / d);
      } else if (c == '^') {
        ++pos_;
        long double e = Factor();
        if (v == 0 && e < 0) throw FormulaError(kDivZero);
        v = Checked(std::pow(v, e));
      } else {
        return v;
      }
    }
  }

  static bool IsDigit(char c) { return c >= '0' && c <= '9'; }

  long double Number() {
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
    return Checked(std::strtold(t.c_str(), nullptr));
  }

  long double Factor() {
    char c = Peek();
    if (IsDigit(c) || c == '.') return Number();
    if (c == '(') {
      ++pos_;
      long double v = Expression();
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
      long double arg = Expression();
      if (Peek() != ')') throw FormulaError(kNoParen);
      ++pos_;
      return Function(name, arg);
    }
    throw FormulaError(kSyntax);
  }

  static long double Function(const std::string& name, long double x) {
    long double r;
    if (name == "ARCTAN") {
      r = std::atan(x);
    } else if (name == "COS") {
      r = std::cos(x);
    } else if (name == "SIN") {
      r = std::sin(x);
    } else if (name == "TAN") {
      long double c = std::cos(x);
      if (c == 0) throw FormulaError(kDivZero);
      r = std::sin(x) / c;
    } else if (name == "ABS") {
      r = std::fabs(x);
    } else if (name == "EXP") {
      r = std::exp(x);
    } else if (name == "LN") {
      if (x <= 0) throw FormulaError(kLogNeg);
      r = std::log(x);
    } else if (name == "LOG") {
      if (x <= 0) throw FormulaError(kLogNeg);
      r = std::log10(x);
    } else if (name == "SQRT") {
      if (x < 0) throw FormulaError(kSqrtNeg);
      r = std::sqrt(x);
    } else if (name == "SQR") {
      r = x * x;
    } else if (name == "INT" || name == "TRUNC") {
      r = std::trunc(x);
    } else if (name == "FRAC") {
      r = x - std::trunc(x);
    } else if (name == "ROUND") {
      // Halves go to the even neighbour.
      if (std::fabs(x) > 9.2e18L) throw FormulaError(kFloat);
      std::fesetround(FE_TONEAREST);
      r = std::nearbyint(x);
    } else if (name == "ARCSIN") {
      if (x < -1 || x > 1) throw FormulaError(kFloat);
      r = std::asin(x);
    } else if (name == "ARCCOS") {
      if (x < -1 || x > 1) throw FormulaError(kFloat);
      r = std::acos(x);
    } else if (name == "SIGN") {
      r = x > 0 ? 1 : (x < 0 ? -1 : 0);
    } else if (name == "NOT") {
      if (std::fabs(x) > 9.2e18L) throw FormulaError(kFloat);
      r = static_cast<long double>(~static_cast<int64_t>(std::trunc(x)));
    } else {
      throw FormulaError(kSyntax);
    }
    return Checked(r);
  }

  std::string s_;
  size_t pos_ = 0;
  int depth_ = 0;
};

}  // namespace

long double EvaluateFormula(std::string_view text) {
  std::string s;
  s.reserve(text.size() + 1);
  int open = 0, close = 0;
  for (char ch : text) {
    unsigned char c = static_cast<unsigned char>(ch);
    if (c < '!') continue;
    if (c >= 'a' && c <= 'z') c = static_cast<unsigned char>(c - 'a' + 'A');
    if (c == '(') ++open;
    if (c == ')') ++close;
    s += static_cast<char>(c);
  }
  if (open != close) throw FormulaError(kNoParen);
  if (!s.empty() && (s[0] == '+' || s[0] == '-')) s.insert(s.begin(), '0');
  return TParser(std::move(s)).Run();
}

int ShredFraction(long double value, int digits) {
  if (!std::isfinite(value)) return 0;
  digits = digits < 0 ? 0 : (digits > 18 ? 18 : digits);
  long double a = std::fabs(value);
  long double frac = a - std::trunc(a);
  long double scale = std::pow(10.0L, digits);
  // A tolerance far below one unit of the last digit absorbs the binary representation error of
  // exact decimals (6/5 = 1.2 gives 20, not 19); it grows with the magnitude of the value.
  long double tol = std::clamp(a * scale * 1e-15L, 1e-9L, 1e-3L);
  long double scaled = frac * scale + tol;
  long double r = std::trunc(scaled);
  // A fraction a hair below 1 is the next whole number: no fractional digits.
  if (r >= scale) return 0;
  return static_cast<int>(r);
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
