// The settings dialog without its widgets: the prize list lines it shows and reads back, the
// segment cells, and what an edit changed — so that the dialog and kvarn-cli agree.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/config.h"

namespace kvarn {

constexpr int PrizeListRows = 6;

// Six lines "%d=%.2f", one per match count 0..5: the prize the stakes check finds for it (the
// first table row with that match count), 0 when there is none. A prize with more than two
// decimals shows all four, so that confirming the dialog never rounds it.
std::vector<std::pair<std::string, std::string>> PrizeListLines(const TProfitsArray& profits);
// The prize table of the lines: one row per line with a non-zero prize, in the lines' order; the
// key as an integer (0 when not a number), the prize as a real (0 when not a number) x 10000,
// rounded. A table the dialog wrote comes back unchanged from opening and confirming it.
TProfitsArray PrizeListRead(const std::vector<std::pair<std::string, std::string>>& lines);

// A typed segment: an integer 1..9. Otherwise the message to show, and the cell becomes "1".
bool SegmentCellValid(std::string_view text);
std::string SegmentCellMessage(std::string_view text);
// The 36 cells in number order; an empty cell counts 1.
std::array<uint8_t, NumbersCount> SegmentsRead(const std::vector<std::string>& cells);

// What an edit of the configuration changed, for the views and caches that depend on it.
struct TConfigChanges {
  bool matrixCols = false;
  bool channelSize = false;
  bool segments = false;
  bool Any() const { return matrixCols || channelSize || segments; }
  // Bits of the method groups whose values follow the changed settings (their captions, values
  // and full-set comparison files).
  unsigned GroupMask() const;
};
TConfigChanges ConfigCompare(const TConfigData& before, const TConfigData& after);

// Values that replace the stored configuration for one run (kvarn-cli); what is not given stays.
struct TConfigOverride {
  std::optional<int> MatrixCols;                              // 1..36
  std::optional<int> ChannelSize;                             // 2..36
  std::optional<std::array<uint8_t, NumbersCount>> Segments;  // 1..9 for each number
  bool Any() const { return MatrixCols || ChannelSize || Segments; }
  // The configuration with the given values in place.
  TConfigData Applied(const TConfigData& data) const;
};

}  // namespace kvarn
