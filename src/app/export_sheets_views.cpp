#include "app/export_sheets.h"

#include "stakes/stakes_grid.h"

namespace kvarn {

namespace {

uint32_t FillOf(uint32_t bgr) {
  return bgr == DefaultColour || bgr == WhiteColour ? SheetNoColour : SheetColourOfBgr(bgr);
}

}  // namespace

TSheet CardSheet(const TDrawsArray& draws, const TCardOptions& options) {
  TSheet s;
  s.Name = "Карта";
  // The card's corner is blank; the sheet names the column so that it can be sorted by it.
  s.Columns.push_back({"Тираж", TSheetType::Integer});
  for (int c = 1; c < CardColumnCount; ++c)
    s.Columns.push_back({CardHeaderText(c), TSheetType::Integer});
  // An empty archive shows one empty row; the sheet has none.
  s.RowCount = draws.empty() ? 0 : static_cast<size_t>(CardRowCount(draws));
  s.Row = [&draws, options](size_t r, std::span<TSheetCell> c) {
    const int row = static_cast<int>(r) + 1;
    for (int col = 0; col < CardColumnCount; ++col) {
      TSheetCell& cell = c[static_cast<size_t>(col)];
      cell.SetNumberOrText(CardCellText(draws, row, col));
      if (col > 0) cell.Fill = FillOf(CardCellColour(draws, row, col, options));
    }
  };
  return s;
}

TSheet LayoutSheet(const TLayoutScheme& scheme, bool gradient) {
  TSheet s;
  s.Name = "Схема";
  s.Columns.push_back({"Количество", TSheetType::Integer});
  for (int col = 1; col < scheme.ColCount(); ++col)
    s.Columns.push_back({scheme.Text(0, col), TSheetType::Text});
  s.RowCount = static_cast<size_t>(scheme.RowCount() - 1);
  s.Row = [&scheme, gradient](size_t r, std::span<TSheetCell> c) {
    const int row = static_cast<int>(r) + 1;
    c[0].SetNumberOrText(scheme.Text(row, 0));
    for (int col = 1; col < scheme.ColCount(); ++col) {
      TSheetCell& cell = c[static_cast<size_t>(col)];
      const std::string& text = scheme.Cell(row, col);
      if (!text.empty()) cell.SetText(text);
      cell.Fill = FillOf(LayoutCellColour(scheme, row, col, gradient));
    }
  };
  return s;
}

TSheet StakesSheet(size_t count, std::function<TStake(size_t row)> stakeAt) {
  static const TSheetType kTypes[StakeColumnsCount] = {
      TSheetType::Integer, TSheetType::Text, TSheetType::Text,
      TSheetType::Integer, TSheetType::Text, TSheetType::Integer,
      TSheetType::Text,    TSheetType::Real, TSheetType::Text};
  TSheet s;
  s.Name = "Ставки";
  for (int i = 0; i < StakeColumnsCount; ++i)
    s.Columns.push_back({StakeColumns[static_cast<size_t>(i)].Caption, kTypes[i], 2});
  s.RowCount = count;
  s.Row = [stakeAt = std::move(stakeAt)](size_t r, std::span<TSheetCell> c) {
    const TStakeRow row = StakeGridRow(stakeAt(r));
    for (size_t i = 0; i < StakeColumnsCount; ++i) {
      if (kTypes[i] == TSheetType::Text)
        c[i].SetText(row.Cells[i]);
      else
        c[i].SetNumberOrText(row.Cells[i]);
      if (row.Background != StakeWindowColour) c[i].Fill = SheetColourOfBgr(row.Background);
    }
    if (row.HasResult)
      for (int col : {scMatches, scMatched, scProfit})
        c[static_cast<size_t>(col)].Font = SheetColourOfBgr(row.ResultColour);
  };
  return s;
}

TSheet RatingsSheet(size_t count, std::function<TRatingRowTexts(size_t row)> rowAt) {
  TSheet s;
  s.Name = "Рейтинг";
  for (int i = 0; i < rcColumnCount; ++i) {
    TSheetColumn c{RatingColumns[static_cast<size_t>(i)].Caption, TSheetType::Integer};
    if (i == rcName) c.Type = TSheetType::Text;
    if (i == rcAverage) c = {c.Header, TSheetType::Real, 3};
    if (i == rcProfit || i == rcAverageProfit) c = {c.Header, TSheetType::Real, 2};
    // The efficiencies keep their texts: a per cent sign, or a count in the first mode.
    if (i >= rcEff0) c.Type = TSheetType::Text;
    s.Columns.push_back(c);
  }
  s.RowCount = count;
  s.Row = [rowAt = std::move(rowAt)](size_t r, std::span<TSheetCell> c) {
    const TRatingRowTexts t = rowAt(r);
    for (size_t i = 0; i < t.size(); ++i) {
      if (i == rcName || i >= static_cast<size_t>(rcEff0))
        c[i].SetText(t[i]);
      else
        c[i].SetNumberOrText(t[i]);
    }
  };
  return s;
}

}  // namespace kvarn
