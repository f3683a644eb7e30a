#include "app/config_input.h"

#include <cmath>

#include "core/text.h"
#include "stats/methods/channels.h"
#include "stats/methods/matrix.h"
#include "stats/methods/segments.h"

namespace kvarn {

std::vector<std::pair<std::string, std::string>> PrizeListLines(const TProfitsArray& profits) {
  std::vector<std::pair<std::string, std::string>> lines;
  for (int key = 0; key < PrizeListRows; ++key) {
    int64_t prize = 0;
    for (const TProfit& p : profits)
      if (p.Overlap == key) {
        prize = p.Profit;
        break;
      }
    const bool cents = prize % 100 == 0;
    lines.emplace_back(StrFormat("%d", key),
                       StrFormat(cents ? "%.2Lf" : "%.4Lf", MoneyToReal(prize)));
  }
  return lines;
}

TProfitsArray PrizeListRead(const std::vector<std::pair<std::string, std::string>>& lines) {
  TProfitsArray profits;
  for (const auto& [key, value] : lines) {
    TProfit p;
    int64_t k = 0;
    if (!TryTextToInt(Trim(key), k) || k < 0 || k > 255) k = 0;
    p.Overlap = static_cast<uint8_t>(k);
    long double v = 0;
    if (!TryTextToReal(Trim(value), v)) v = 0;
    p.Profit = MoneyFromReal(v);
    if (p.Profit != 0) profits.push_back(p);
  }
  return profits;
}

bool SegmentCellValid(std::string_view text) {
  int64_t v = 0;
  return TryTextToInt(Trim(text), v) && v >= 1 && v <= 9;
}

std::string SegmentCellMessage(std::string_view text) {
  return StrFormat("Некорректное значение: %s!\r\rУкажите любое число от 1 до 9",
                   std::string(text).c_str());
}

std::array<uint8_t, NumbersCount> SegmentsRead(const std::vector<std::string>& cells) {
  std::array<uint8_t, NumbersCount> s{};
  s.fill(1);
  for (size_t i = 0; i < s.size() && i < cells.size(); ++i) {
    int64_t v = 0;
    if (TryTextToInt(Trim(cells[i]), v) && v >= 1 && v <= 9) s[i] = static_cast<uint8_t>(v);
  }
  return s;
}

TConfigChanges ConfigCompare(const TConfigData& before, const TConfigData& after) {
  TConfigChanges c;
  c.matrixCols = before.MatrixCols != after.MatrixCols;
  c.channelSize = before.ChannelSize != after.ChannelSize;
  c.segments = SegmentsText(before.Segments) != SegmentsText(after.Segments);
  return c;
}

unsigned TConfigChanges::GroupMask() const {
  return (matrixCols ? 1u << MatrixGroup : 0u) | (channelSize ? 1u << ChannelsGroup : 0u) |
         (segments ? 1u << SegmentsGroup : 0u);
}

TConfigData TConfigOverride::Applied(const TConfigData& data) const {
  TConfigData d = data;
  if (MatrixCols) d.MatrixCols = *MatrixCols;
  if (ChannelSize) d.ChannelSize = *ChannelSize;
  if (Segments) d.Segments = *Segments;
  return d;
}

}  // namespace kvarn
