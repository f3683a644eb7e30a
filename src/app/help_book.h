// The help that travels inside the program: pages of Markdown for the tabs and features, a page
// for each method group and one for each method class, a table of contents and a search. Method
// pages join the hand-written text with what the registry knows (identifiers, group, features)
// and an example computed by the method itself, so they cannot drift from the code.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kvarn {

class TStatList;
class TStatClass;

// One file of help/ as compiled in (path relative to help/).
struct THelpFile {
  const char* Path;
  std::string_view Text;
};
std::span<const THelpFile> HelpFiles();

struct THelpPage {
  std::string Id;     // "stats", "group/num", "method/TstValues"
  std::string Title;  // the first heading
  std::string Markdown;
  int Level = 0;  // depth in the table of contents
};

struct THelpHit {
  int Page = -1;
  std::string Snippet;  // the text around the first match, markup removed
};

class THelpBook {
 public:
  // Builds every page; list gives the method classes, their parameters and examples.
  explicit THelpBook(const TStatList& list, std::span<const THelpFile> files = HelpFiles());

  // In the order of the table of contents.
  const std::vector<THelpPage>& Pages() const { return pages_; }
  // Index of the page, -1 when there is none.
  int Find(std::string_view id) const;

  static std::string MethodPageId(const TStatClass& cls);
  static std::string GroupPageId(int group);

  // Pages holding every word of the query (letter case ignored), those with a word in the title
  // first, then by the number of matches.
  std::vector<THelpHit> Search(std::string_view query) const;

 private:
  std::vector<THelpPage> pages_;
};

// The example combination of the method pages.
constexpr unsigned char HelpExampleComb[5] = {2, 7, 10, 21, 36};

}  // namespace kvarn
