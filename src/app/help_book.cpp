#include "app/help_book.h"

#include <algorithm>
#include <map>

#include "core/text.h"
#include "stats/registry.h"

namespace kvarn {

namespace {

std::string_view FileText(std::span<const THelpFile> files, std::string_view path) {
  for (const THelpFile& f : files)
    if (path == f.Path) return f.Text;
  return {};
}

// The text of the first "# " line, and the text without it.
std::string TitleOf(std::string_view md) {
  size_t pos = 0;
  while (pos < md.size()) {
    size_t end = md.find('\n', pos);
    if (end == std::string_view::npos) end = md.size();
    const std::string_view line = md.substr(pos, end - pos);
    if (line.substr(0, 2) == "# ") return std::string(Trim(line.substr(2)));
    pos = end + 1;
  }
  return {};
}

// A group file: the group's introduction, then "## ClassName" sections.
struct TGroupText {
  std::string Intro;
  std::map<std::string, std::string, std::less<>> Classes;
};

TGroupText SplitGroupText(std::string_view md) {
  TGroupText out;
  std::string* current = &out.Intro;
  size_t pos = 0;
  while (pos < md.size()) {
    size_t end = md.find('\n', pos);
    if (end == std::string_view::npos) end = md.size();
    const std::string_view line = md.substr(pos, end - pos);
    if (line.substr(0, 3) == "## ")
      current = &out.Classes[std::string(Trim(line.substr(3)))];
    else
      current->append(line).append("\n");
    pos = end + 1;
  }
  out.Intro = std::string(Trim(out.Intro));
  for (auto& [name, text] : out.Classes) text = std::string(Trim(text));
  return out;
}

// The caption of a class for all its parameters: the parameter shown as N.
std::string ClassTitle(const TStatClass& cls, const TStatList& list) {
  int mn = 0, mx = 0;
  if (cls.HasParam()) cls.ParamRange(list, mn, mx);
  if (!cls.HasParam() || mx <= mn) return cls.CaptionOf(mn);
  std::string t = cls.Caption();
  auto replace = [&t](std::string_view from, std::string_view to) {
    for (size_t p = t.find(from); p != std::string::npos; p = t.find(from, p + to.size()))
      t.replace(p, from.size(), to);
  };
  replace("%0:d", "N");
  replace("%%s", "(формула)");
  // Captions with further arguments name one entry instead.
  if (t.find('%') != std::string::npos) return cls.CaptionOf(mn);
  return t;
}

std::string FeaturesText(uint8_t flags) {
  static const char* const kWords[] = {
      "S — значение зависит от порядка чисел",
      "N — значение зависит только от пяти чисел; есть сравнение с полным набором",
      "D — значение зависит от предыдущих тиражей",
      "P — метод периодов",
      "G — есть график",
  };
  std::string out;
  for (int bit = 0; bit < 5; ++bit) {
    if (!(flags & (1u << bit))) continue;
    if (!out.empty()) out += "; ";
    out += kWords[bit];
  }
  return out.empty() ? "нет" : out;
}

// Values of the example combination, as the statistics table would show them.
std::string ExampleValues(const TStatClass& cls, const TStatList& list, int param) {
  TComb comb;
  std::copy(std::begin(HelpExampleComb), std::end(HelpExampleComb), comb.begin());
  auto stat = cls.Create(list, param);
  TStatDrawArray values;
  stat->AddCombValues(comb, values);
  std::string out;
  for (const TStatDraw& v : values) {
    if (!out.empty()) out += ", ";
    out += stat->ValueText(v);
    if (v.Count > 1) out += StrFormat(" (%d раза)", v.Count);
  }
  return out;
}

std::string MethodMarkdown(const TStatClass& cls, const TStatList& list,
                           std::string_view description) {
  int mn = 0, mx = 0;
  if (cls.HasParam()) cls.ParamRange(list, mn, mx);
  std::string idents;
  for (int p = mn; p <= mx; ++p) idents += (p == mn ? "`" : ", `") + cls.IdentOf(p) + "`";
  if (idents.empty()) idents = "нет (метод не предлагается при текущих параметрах)";

  std::string md = "# " + ClassTitle(cls, list) + "\n\n";
  md += "- **Идентификатор:** " + idents + "\n";
  md += "- **Группа:** " + StatGroupHeading(cls.Group()) + "\n";
  md += "- **Особенности:** " + FeaturesText(cls.Flags()) + "\n\n";
  md += description.empty() ? std::string("Описание метода пока не написано.") : description;
  md += "\n";
  if ((cls.Features() & sfN) && mx >= mn) {
    md += "\n**Пример.** Для комбинации 2 7 10 21 36";
    if (mx == mn) {
      md += ": " + ExampleValues(cls, list, mn) + ".\n";
    } else {
      md += ":\n\n";
      for (int p = mn; p <= mx; ++p)
        md += "- " + cls.IdentOf(p) + ": " + ExampleValues(cls, list, p) + "\n";
    }
  }
  return md;
}

// The page's text as read: markup characters, table rules and the title line removed.
std::string StripMarkup(std::string_view text) {
  if (text.substr(0, 2) == "# ") {
    const size_t eol = text.find('\n');
    text = eol == std::string_view::npos ? std::string_view() : text.substr(eol + 1);
  }
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '*' || c == '`' || c == '#' || c == '|') continue;
    if (c == '-' && ((i + 1 < text.size() && text[i + 1] == '-') || (i > 0 && text[i - 1] == '-')))
      continue;
    if (c == '\n' || c == '\r' || c == '\t') c = ' ';
    if (c == ' ' && !out.empty() && out.back() == ' ') continue;
    out += c;
  }
  return out;
}

// Up to `chars` characters around byte offset `at` of a UTF-8 text, cut at character bounds.
std::string SnippetAround(const std::string& text, size_t at, size_t chars) {
  auto isLead = [&](size_t i) { return (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80; };
  size_t begin = at;
  for (size_t n = 0; begin > 0 && n < chars / 3;) {
    --begin;
    if (isLead(begin)) ++n;
  }
  size_t end = begin;
  for (size_t n = 0; end < text.size() && n < chars; ++n) {
    ++end;
    while (end < text.size() && !isLead(end)) ++end;
  }
  std::string s = text.substr(begin, end - begin);
  if (begin > 0) s = "…" + s;
  if (end < text.size()) s += "…";
  return std::string(Trim(s));
}

size_t CountOf(std::string_view hay, std::string_view needle) {
  size_t n = 0;
  for (size_t p = hay.find(needle); p != std::string_view::npos; p = hay.find(needle, p + 1)) ++n;
  return n;
}

}  // namespace

std::string THelpBook::MethodPageId(const TStatClass& cls) {
  return std::string("method/") + cls.ClassName();
}

std::string THelpBook::GroupPageId(int group) {
  return "group/" + StatGroupIdent(group);
}

THelpBook::THelpBook(const TStatList& list, std::span<const THelpFile> files) {
  const std::string contents(FileText(files, "contents.txt"));
  size_t pos = 0;
  while (pos < contents.size()) {
    size_t end = contents.find('\n', pos);
    if (end == std::string::npos) end = contents.size();
    const std::string line = contents.substr(pos, end - pos);
    pos = end + 1;
    const std::string_view id = Trim(line);
    if (id.empty() || id.front() == '#') continue;
    const int level = static_cast<int>(line.find_first_not_of(' ') / 2);
    if (id != "@methods") {
      const std::string md(FileText(files, "pages/" + std::string(id) + ".md"));
      pages_.push_back({std::string(id), TitleOf(md), md, level});
      continue;
    }
    // Each group that has classes, in group order, with its classes in table order.
    for (int g = 0; g < StatGroupCount; ++g) {
      const TGroupText text =
          SplitGroupText(FileText(files, "methods/" + StatGroupIdent(g) + ".md"));
      std::vector<THelpPage> methods;
      for (const TStatTableLine& line : StatRegistrationTable()) {
        if (!line.Class) continue;
        const TStatClass& cls = line.Class();
        if (cls.Group() != g || !cls.IsAvailable()) continue;
        const auto it = text.Classes.find(std::string_view(cls.ClassName()));
        const std::string md =
            MethodMarkdown(cls, list, it == text.Classes.end() ? "" : it->second);
        methods.push_back({MethodPageId(cls), TitleOf(md), md, level + 1});
      }
      if (methods.empty()) continue;
      const std::string caption = StatGroups[static_cast<size_t>(g)].Caption;
      std::string md = "# " + caption + "\n\n" + text.Intro + "\n\n## Методы группы\n\n";
      for (const THelpPage& m : methods) md += "- [" + m.Title + "](" + m.Id + ")\n";
      pages_.push_back({GroupPageId(g), caption, md, level});
      for (THelpPage& m : methods) pages_.push_back(std::move(m));
    }
  }
}

int THelpBook::Find(std::string_view id) const {
  for (size_t i = 0; i < pages_.size(); ++i)
    if (pages_[i].Id == id) return static_cast<int>(i);
  return -1;
}

std::vector<THelpHit> THelpBook::Search(std::string_view query) const {
  std::vector<std::string> words;
  for (const std::string& w : SplitWords(query, " \t,.;:!?\"'()")) words.push_back(ToLowerUtf8(w));
  if (words.empty()) return {};
  struct TScored {
    THelpHit Hit;
    bool InTitle;
    size_t Count;
  };
  std::vector<TScored> found;
  for (size_t i = 0; i < pages_.size(); ++i) {
    const std::string title = ToLowerUtf8(pages_[i].Title);
    const std::string plain = StripMarkup(pages_[i].Markdown);
    const std::string body = ToLowerUtf8(plain);
    bool all = true, inTitle = false;
    size_t count = 0;
    for (const std::string& w : words) {
      const size_t inText = CountOf(body, w);
      const bool here = title.find(w) != std::string::npos;
      if (inText == 0 && !here) {
        all = false;
        break;
      }
      inTitle = inTitle || here;
      count += inText;
    }
    if (!all) continue;
    // Lower-casing keeps the byte offsets of Cyrillic and Latin letters.
    const size_t at = body.find(words.front());
    found.push_back(
        {{static_cast<int>(i), SnippetAround(plain, at == std::string::npos ? 0 : at, 90)},
         inTitle,
         count});
  }
  std::stable_sort(found.begin(), found.end(), [](const TScored& a, const TScored& b) {
    if (a.InTitle != b.InTitle) return a.InTitle;
    return a.Count > b.Count;
  });
  std::vector<THelpHit> hits;
  for (auto& f : found) hits.push_back(std::move(f.Hit));
  return hits;
}

}  // namespace kvarn
