// The working list of combinations: a contiguous array of five-byte entries with a separate
// count, its generation from the full set, the combination file and clipboard text forms, and
// the editing passes that rebuild the list from the undo snapshot.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/lottery.h"

namespace kvarn {

// Entries 0..Count-1 are valid. Items.size() is the capacity: it only grows, so the full set
// reserved once at start-up is never reallocated by generation or filtering.
class TCombList {
 public:
  int Count() const { return count_; }
  size_t Capacity() const { return items_.size(); }
  bool Empty() const { return count_ == 0; }
  const TComb& operator[](int i) const { return items_[static_cast<size_t>(i)]; }
  TComb& operator[](int i) { return items_[static_cast<size_t>(i)]; }
  const TComb* Data() const { return items_.data(); }
  TComb* Data() { return items_.data(); }

  void Reserve(size_t n) {
    if (items_.size() < n) items_.resize(n);
  }
  void Clear() { count_ = 0; }
  // Count within the capacity (the entries keep whatever they held).
  void SetCount(int n) {
    Reserve(static_cast<size_t>(n));
    count_ = n;
  }
  void Append(const TComb& c) {
    if (static_cast<size_t>(count_) == items_.size()) Grow();
    items_[static_cast<size_t>(count_++)] = c;
  }
  // Makes this list a copy of `src`; the capacity grows to at least src's count.
  void CopyFrom(const TCombList& src);
  // Frees the memory (shutdown).
  void Release() {
    TCombsArray().swap(items_);
    count_ = 0;
  }

 private:
  void Grow();
  TCombsArray items_;
  int count_ = 0;
};

// The keyed buffer: a copy of the list kept under a key of two integers (both -1 when empty).
struct TCombBuffer {
  TCombList List;
  int Key1 = -1;
  int Key2 = -1;
  void Reset() {
    Key1 = Key2 = -1;
    List.Clear();
  }
};

// One line of the applied-filters list.
struct TAppliedFilter {
  std::string Caption;  // method text, "Выделенные комбинации", "Последние тиражи", ...
  std::string Values;    // texts of the selected values joined by "; "
  int Count = 0;         // combinations left after the step
  bool Exclude = false;  // the step deleted (true) or kept (false) the matches
};
using TAppliedFilters = std::vector<TAppliedFilter>;

// Generation modes; the stored parameter is one byte 0..4.
enum TCombsGenerateMode : int {
  gmFull = 0,      // every combination
  gmAnyMine = 1,   // at least one number from my numbers
  gmOnlyMine = 2,  // all five numbers from my numbers
  gmNoMine = 3,    // none of my numbers
  gmFile = 4,      // read from a combination file
  gmCount = 5
};
extern const char* const CombsGenerateModeCaptions[gmCount];

// "My numbers": words split on ";" and ","; each word trimmed and read as an integer (0 when
// it is not one); values 0..255 go into the set, others are ignored.
TNumberBits ParseMyNumbers(std::string_view text);

// Appends, in lexicographic order, every combination of 1..36 that passes the mode's test
// (modes 0..3; any other raises); the list is emptied first. The capacity grows only when it is
// too small.
void GenerateCombs(TCombList& list, int mode, const TNumberBits& mine);

// ---- combination files and clipboard text ----

// Reads the lines of a combination file text (CR, LF or CR LF line ends). Lines that do not
// split on ";" and "," into exactly five integers are skipped (headings, blank lines); the five
// become one entry in the order read. A number outside 1..36 raises a message naming the line;
// the lines before it stay appended.
void AppendCombsText(TCombList& list, std::string_view text);
// The largest combination file read: sixteen full sets with room to spare.
constexpr uint64_t CombsFileReadLimit = uint64_t{128} << 20;
// Reads a combination file into the emptied list; throws std::runtime_error with the system's
// error text, or the message of a line out of range.
void ReadCombsFile(const std::string& path, TCombList& list);
// The file text: CombText per entry, CR LF after every line (cp1251 is plain ASCII here).
std::string CombsFileText(const TCombList& list);
void WriteCombsFile(const std::string& path, const TCombList& list);

// Two-digit numbers separated by single spaces, lines joined by CR LF (no final line break).
std::string CombsClipboardText(const TCombList& list, const std::vector<int>& rows);

// Splits clipboard text into lines the way a text editor does: CR LF, CR or LF end a line and
// a final line break does not start another line.
std::vector<std::string_view> SplitTextLines(std::string_view text);

// Sets the list to the combinations of the lines, parsed with ParseComb in order. The first bad
// line (not five words, or a number outside 1..36) raises "Некорректная комбинация: ..." and
// leaves the list partly written (the caller restores its snapshot).
void ParseCombsLines(TCombList& list, std::string_view text);

// ---- editing passes (the list is rebuilt from the snapshot, order kept) ----

// Keeps the entries whose row is not selected; `selected` holds row indexes in any order.
void RemoveSelectedCombs(TCombList& list, const TCombList& snapshot,
                         const std::vector<int>& selected);

// Index range of the N draws that end at the analysis point: First..Last (empty when
// First > Last). `high` is the archive's last index minus the offset.
struct TDrawRange {
  int First = 0;
  int Last = -1;
};
TDrawRange LastDrawsRange(int drawsCount, int offset, int n);

// Keeps the entries that no draw of draws[range] equals (five equal pairs, in any order).
// `progress(done)` is called every max(1, snapshot count / 100) entries.
void RemoveDrawsCombs(TCombList& list, const TCombList& snapshot, const TDrawsArray& draws,
                      TDrawRange range, const std::function<void(int done)>& progress);

// The description lines of the draws, newest first, whose five numbers equal `comb` in any
// order; collecting stops as soon as there are more than `limit` lines.
std::vector<std::string> FindCombInDraws(const TComb& comb, const TDrawsArray& draws,
                                         int limit = 25);

// Number of distinct numbers in the list, stopping at 36.
int CountUniqueNumbers(const TCombList& list);

// ---- list display ----
// Columns: 0 the row number (i + 1), 1..5 the numbers in stored order, 6 their sum.
constexpr int CombsColumnCount = 7;
std::string CombCellText(const TCombList& list, int row, int col);
// Windows colour 0x00BBGGRR of a cell: the channel colour of the number in columns 1..5 when
// colouring is on, else white.
uint32_t CombCellColour(const TCombList& list, int row, int col, bool colorCombs, int channelWidth);

}  // namespace kvarn
