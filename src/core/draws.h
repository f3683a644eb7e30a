// The draw archive file and the archive routines that need no window: the 28-byte record, the
// offset arithmetic and the search by draw number.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/lottery.h"

namespace kvarn {

constexpr const char* DrawsFileName = "Kvarn_5x36.ldr";
constexpr size_t DrawRecordSize = 28;
constexpr size_t DrawDateMaxLen = 16;  // characters of the stored date text
// The first draw of the game with the extra number; earlier draws store extra 0.
constexpr int32_t FirstExtraDraw = 7269;

static_assert(std::tuple_size_v<decltype(TDraw::FileRecord)::value_type> == DrawRecordSize);
// The largest draws file read: ten million draws.
constexpr uint64_t DrawsReadLimit = uint64_t{280} << 20;

// Little-endian record: number (int32), five numbers, extra, date as a length byte plus 16
// cp1251 characters, one padding byte. The date is cut to 16 characters. A draw read from the
// file starts from its old bytes: what did not change is written back as it was; a new draw
// starts from zeros.
void DrawToBytes(const TDraw& d, uint8_t* out);
TDraw DrawFromBytes(const uint8_t* in);

std::string DrawsToBytes(const TDrawsArray& draws);
// Appends the records of `data` to `draws`. A trailing partial record throws std::runtime_error
// after the complete records before it have been appended.
void DrawsFromBytes(std::string_view data, TDrawsArray& draws);

// What makes a record no draw, for the person to read: a draw number below 1, a number outside
// 1..36 or a repeated one, an extra number above 4. Empty for a sound draw. Statistics and
// filters index their tables by these values, so such a record never reaches them.
std::string DrawProblem(const TDraw& d);

// A record of the draws file that is no draw: it stays in the file where it was, but not in
// the archive.
struct TSetAsideRecord {
  size_t Before = 0;     // archive entries before it
  int64_t Position = 0;  // its record number in the file, from 1
  std::array<uint8_t, DrawRecordSize> Bytes{};
  std::string Problem;
};
using TSetAsideRecords = std::vector<TSetAsideRecord>;
// Moves the records of `draws` that are no draws into `aside`, in file order.
void SetAsideBadRecords(TDrawsArray& draws, TSetAsideRecords& aside);
// The file bytes of the archive with the set-aside records back in their places.
std::string DrawsFileBytes(const TDrawsArray& draws, const TSetAsideRecords& aside);
// After the archive entry at `index` was deleted the set-aside records keep their neighbours.
void SetAsideAfterDelete(TSetAsideRecords& aside, size_t index);
// "запись 7 (тираж № 12): число 40 вне диапазона 1..36" for the message of the load.
std::string SetAsideText(const TSetAsideRecord& r);

// Reads the draws file into `draws` (appending); a missing file reads nothing and returns false.
// Failures throw std::runtime_error with the failure text; the records read before stay.
bool DrawsReadFile(const std::string& path, TDrawsArray& draws);
// Rewrites the whole file through a temporary file and a rename.
void DrawsWriteFile(const std::string& path, const TDrawsArray& draws);

// Number of the draw after the one at `offset`: 1 for an empty archive, -1 for an offset outside
// 0..count-1.
int DrawsNextNumber(const TDrawsArray& draws, int offset);
// Index of the draw with `number`, or -1. Interpolates from the first and last numbers and walks
// from the guess; when the archive has gaps or disorder the walk may leave it, and a full scan
// from the newest entry decides.
int DrawsFindNumber(const TDrawsArray& draws, int number);
// The numbers of the draw that followed the offset, in stored order, joined by ";"; empty unless
// 0 < offset < count.
std::string DrawsOffsetResult(const TDrawsArray& draws, int offset);
TNumberBits DrawsOffsetNumbers(const TDrawsArray& draws, int offset);
// Removes the entry at `index`; an index outside the archive raises the user's message.
void DrawsDelete(TDrawsArray& draws, int index);

// One row of the draws list (row 0 = the newest draw): the texts of its columns, whether it is
// the row of the current offset, and the background of each cell (0x00BBGGRR).
constexpr int DrawColumnsCount = 9;             // number, five numbers, extra, sum, date
constexpr uint32_t OffsetRowColour = 11184895;  // red 255, green 170, blue 170
constexpr uint32_t WhiteColour = 0xFFFFFF;
constexpr uint32_t DefaultColour = 0xFFFFFFFF;  // the list's own background
struct TDrawRow {
  std::array<std::string, DrawColumnsCount> Cells;
  bool OffsetRow = false;
  std::array<uint32_t, DrawColumnsCount> Colours{};
};
// With `coloured` (the ColorDraws switch) cells are white, the offset row keeps its colour and
// the five number cells take their channel colour; without it only the offset row is coloured.
TDrawRow DrawsListRow(const TDrawsArray& draws, int row, int offset, bool sorted, bool coloured,
                      int channelSize);
// The row of the list that shows the entry with `index`, and back.
inline int DrawsRowIndex(const TDrawsArray& draws, int row) {
  return static_cast<int>(draws.size()) - 1 - row;
}

// A copy of the draw with its five numbers sorted ascending when `sorted` is set (for display).
TDraw DrawForDisplay(const TDraw& d, bool sorted);

}  // namespace kvarn
