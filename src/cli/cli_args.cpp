// Reading the words of a command against its declared options.
#include <algorithm>
#include <cstdint>
#include <stdexcept>

#include "cli/cli.h"
#include "core/text.h"

namespace kvarn {

namespace {

// "--name" with a letter after the dashes: "--1" or "--(1)" are words (a formula, a number).
bool IsOptionWord(const std::string& word) {
  return word.size() > 2 && word.rfind("--", 0) == 0 &&
         ((word[2] >= 'a' && word[2] <= 'z') || (word[2] >= 'A' && word[2] <= 'Z'));
}

const TCliOption* FindOption(const std::vector<TCliOption>& options, const std::string& name) {
  for (const TCliOption& o : options)
    if (o.name == name) return &o;
  return nullptr;
}

// "--a and --b" / "--a, --b and --c".
std::string NamesText(const std::vector<const TCliOption*>& group) {
  std::string text;
  for (size_t i = 0; i < group.size(); ++i) {
    if (i) text += i + 1 == group.size() ? " and " : ", ";
    text += group[i]->name;
  }
  return text;
}

}  // namespace

TCliArgs::TCliArgs(const std::vector<std::string>& args, const std::vector<TCliOption>& options)
    : options_(options) {
  bool optionsEnd = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& word = args[i];
    // Everything after "--" is a word, whatever it looks like.
    if (word == "--" && !optionsEnd) {
      optionsEnd = true;
      continue;
    }
    if (optionsEnd || !IsOptionWord(word)) {
      positional_.push_back(word);
      continue;
    }
    const size_t eq = word.find('=');
    const std::string name = word.substr(0, eq);
    const TCliOption* option = FindOption(options_, name);
    if (!option) throw TCliUsageError{"unknown option: " + name};
    std::string value;
    if (option->value.empty()) {
      if (eq != std::string::npos) throw TCliUsageError{"option " + name + " takes no value"};
    } else if (eq != std::string::npos) {
      value = word.substr(eq + 1);
    } else {
      // The next word is the value whatever it looks like ("--offset -1").
      if (i + 1 >= args.size()) throw TCliUsageError{"option " + name + " needs a value"};
      value = args[++i];
    }
    given_.emplace_back(name, std::move(value));
  }
  auto given = [&](const TCliOption& o) {
    return std::any_of(given_.begin(), given_.end(),
                       [&](const auto& g) { return g.first == o.name; });
  };
  for (size_t i = 0; i < options_.size();) {
    const TCliOption& first = options_[i];
    std::vector<const TCliOption*> group{&first};
    size_t j = i + 1;
    while (!first.group.empty() && j < options_.size() && options_[j].group == first.group)
      group.push_back(&options_[j++]);
    const auto count =
        std::count_if(group.begin(), group.end(), [&](auto* o) { return given(*o); });
    if (group.size() == 1) {
      if (first.required && count == 0) throw TCliUsageError{"option " + first.name + " is needed"};
    } else if (first.required && count != 1) {
      throw TCliUsageError{"exactly one of " + NamesText(group) + " is needed"};
    } else if (count > 1) {
      throw TCliUsageError{NamesText(group) + " exclude each other"};
    }
    i = j;
  }
}

const TCliOption& TCliArgs::Declared(const std::string& name) const {
  const TCliOption* option = FindOption(options_, name);
  if (!option) throw std::logic_error("kvarn-cli: option " + name + " is not declared");
  return *option;
}

bool TCliArgs::TakeFlag(const std::string& name) {
  Declared(name);
  return std::any_of(given_.begin(), given_.end(), [&](const auto& g) { return g.first == name; });
}

std::optional<std::string> TCliArgs::TakeOption(const std::string& name) {
  Declared(name);
  std::optional<std::string> value;
  for (const auto& [n, v] : given_)
    if (n == name) value = v;
  return value;
}

std::vector<std::string> TCliArgs::TakeAll(const std::string& name) {
  Declared(name);
  std::vector<std::string> values;
  for (const auto& [n, v] : given_)
    if (n == name) values.push_back(v);
  return values;
}

int TCliArgs::TakeInt(const std::string& name, int def) {
  std::optional<std::string> v = TakeOption(name);
  if (!v) return def;
  int64_t n;
  if (!TryTextToInt(*v, n) || n < INT32_MIN || n > INT32_MAX)
    throw TCliUsageError{"option " + name + " needs an integer"};
  return static_cast<int>(n);
}

std::optional<std::string> TCliArgs::TakePositional() {
  if (positional_.empty()) return std::nullopt;
  std::string word = positional_.front();
  positional_.erase(positional_.begin());
  return word;
}

std::string TCliArgs::TakeLastPositional(const char* missing) {
  std::optional<std::string> word = TakePositional();
  if (!word) throw TCliUsageError{missing};
  ExpectEnd();
  return *word;
}

void TCliArgs::ExpectEnd() const {
  if (!positional_.empty()) throw TCliUsageError{"unexpected argument: " + positional_.front()};
}

std::vector<TCliOption> operator+(std::vector<TCliOption> a, const std::vector<TCliOption>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

}  // namespace kvarn
