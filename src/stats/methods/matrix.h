// Matrix methods: the numbers 1..36 laid out row by row in a matrix of the configured column
// count; the methods look at occupied columns and rows, their masks, numbers that touch inside a
// column or a row, and tuples of columns and rows.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "stats/methods/grouping.h"
#include "stats/stat.h"

namespace kvarn {

constexpr int MatrixGroup = 4;  // "mtx"

// The column count copied from the settings when a method is created.
struct TMatrixGeometry {
  int Cols = 6;
  int Rows = 6;  // the ceiling of 36 / Cols
  explicit TMatrixGeometry(int cols = 6);
  // 0 when the column count is not positive.
  int ColumnOf(int n) const {
    return n >= 0 && n < kTabled ? columns_[static_cast<size_t>(n)] : ComputeColumn(n);
  }
  int RowOf(int n) const {
    return n >= 0 && n < kTabled ? rows_[static_cast<size_t>(n)] : ComputeRow(n);
  }

 private:
  int ComputeColumn(int n) const { return Cols > 0 ? (n - 1) % Cols + 1 : 0; }
  int ComputeRow(int n) const { return Cols > 0 ? (n - 1) / Cols + 1 : 0; }
  // Of every number a byte holds, made once: the filter asks for every number of every
  // combination, and the division cost more than the rest of the test.
  static constexpr int kTabled = 256;
  std::array<int16_t, kTabled> columns_{};
  std::array<int16_t, kTabled> rows_{};
};

class TCustomMatrixStat : public TCustomNumbersStat {
 public:
  TCustomMatrixStat(const TStatList& list, int param);
  static int Group() { return MatrixGroup; }
  static bool IsAvailable() { return true; }
  int Cols() const { return geometry_.Cols; }
  int Rows() const { return geometry_.Rows; }
  int ColumnOf(int n) const { return geometry_.ColumnOf(n); }
  int RowOf(int n) const { return geometry_.RowOf(n); }

 protected:
  TGroupAttrs ColumnsOf(const TComb& values) const;
  TGroupAttrs RowsOf(const TComb& values) const;
  TMatrixGeometry geometry_;
};

class TCustomMatrixGraphStat : public TCustomGraphStat {
 public:
  TCustomMatrixGraphStat(const TStatList& list, int param);
  static int Group() { return MatrixGroup; }
  static bool IsAvailable() { return true; }
  int Cols() const { return geometry_.Cols; }
  int Rows() const { return geometry_.Rows; }
  int ColumnOf(int n) const { return geometry_.ColumnOf(n); }
  int RowOf(int n) const { return geometry_.RowOf(n); }

 protected:
  TGroupAttrs ColumnsOf(const TComb& values) const;
  TGroupAttrs RowsOf(const TComb& values) const;
  TMatrixGeometry geometry_;
};

// The operations of a matrix method, written once for columns and rows: a class names its
// direction and the base gives the groups, their count and the other dimension.
enum class TMatrixDir { Columns, Rows };

#define KVARN_MATRIX_METHOD_OPS                                                                 \
  void AddCombValues(const TComb& comb, TStatDrawArray& list) override;                         \
  void AddDrawValues(int index, int last, bool sorted, TStatDrawArray& list,                    \
                     TStatContext& context, TLastValueArray& lastValues) override;              \
  bool CombMatches(const TComb& comb, const TStatDrawArray& selected, int last, bool sorted,    \
                   bool exclude) final;                                                         \
  int FilterPass(const TComb* src, int n, TComb* dst, const TStatDrawArray& selected, int last, \
                 bool sorted, bool exclude) override;

// Column (row) of each number.
template <TMatrixDir Dir>
class TMatrixGroupsStat : public TCustomMatrixStat {
 public:
  using TCustomMatrixStat::TCustomMatrixStat;
  static uint8_t Features() { return sfN; }
  void ListAllValues(int last, TStatDrawArray& list) override;
  KVARN_MATRIX_METHOD_OPS
};

// Pairs (column, count) for every column (row).
template <TMatrixDir Dir>
class TMatrixValuesStat : public TCustomMatrixStat {
 public:
  TMatrixValuesStat(const TStatList& list, int param);
  static uint8_t Features() { return sfN; }
  static bool CanParseValue() { return false; }
  std::string ValueText(const TStatDraw& item) const override;
  void ListAllValues(int last, TStatDrawArray& list) override;
  KVARN_MATRIX_METHOD_OPS

 private:
  TGroupList groups_;
};

// Number of occupied columns (rows).
template <TMatrixDir Dir>
class TMatrixCountStat : public TCustomMatrixGraphStat {
 public:
  using TCustomMatrixGraphStat::TCustomMatrixGraphStat;
  static uint8_t Features() { return sfN; }
  void ListAllValues(int last, TStatDrawArray& list) override;
  KVARN_MATRIX_METHOD_OPS
  int32_t GraphValueOf(const TComb& values, int index, int last, bool sorted) override;
};

// Mask of the occupied columns (rows), column 1 (row 1) the most significant bit. Up to 31 bits
// the mask is L1 alone; a wider matrix (32 columns or more) carries the high bits in L2.
template <TMatrixDir Dir>
class TMatrixMaskStat : public TCustomMatrixStat {
 public:
  using TCustomMatrixStat::TCustomMatrixStat;
  static uint8_t Features() { return sfN; }
  std::string ValueText(const TStatDraw& item) const override;
  int32_t TextValue(std::string_view text) const override;
  KVARN_MATRIX_METHOD_OPS
  uint64_t MaskOf(const TComb& values) const;
  int MaskBits() const;
};

// Pairs (column, touching pairs + 1) for each column (row) holding adjacent numbers.
template <TMatrixDir Dir>
class TMatrixAdjacentStat : public TCustomMatrixStat {
 public:
  using TCustomMatrixStat::TCustomMatrixStat;
  static uint8_t Features() { return sfN; }
  std::string ValueText(const TStatDraw& item) const override;
  KVARN_MATRIX_METHOD_OPS
};

// Number of columns (rows) holding adjacent numbers.
template <TMatrixDir Dir>
class TMatrixAdjacentCountStat : public TCustomMatrixGraphStat {
 public:
  using TCustomMatrixGraphStat::TCustomMatrixGraphStat;
  static uint8_t Features() { return sfN; }
  KVARN_MATRIX_METHOD_OPS
  int32_t GraphValueOf(const TComb& values, int index, int last, bool sorted) override;
};

// Count of numbers in column (row) Param.
template <TMatrixDir Dir>
class TMatrixValCntStat : public TCustomMatrixGraphStat {
 public:
  using TCustomMatrixGraphStat::TCustomMatrixGraphStat;
  static uint8_t Features() { return sfN; }
  static bool HasParam() { return true; }
  static void ParamRange(const TStatList& list, int& min, int& max);
  void ListAllValues(int last, TStatDrawArray& list) override;
  KVARN_MATRIX_METHOD_OPS
  int32_t GraphValueOf(const TComb& values, int index, int last, bool sorted) override;
};

#undef KVARN_MATRIX_METHOD_OPS

// Defined and instantiated for both directions in matrix.cpp.
#define KVARN_MATRIX_EXTERN(Tmpl)                  \
  extern template class Tmpl<TMatrixDir::Columns>; \
  extern template class Tmpl<TMatrixDir::Rows>;
KVARN_MATRIX_EXTERN(TMatrixGroupsStat)
KVARN_MATRIX_EXTERN(TMatrixValuesStat)
KVARN_MATRIX_EXTERN(TMatrixCountStat)
KVARN_MATRIX_EXTERN(TMatrixMaskStat)
KVARN_MATRIX_EXTERN(TMatrixAdjacentStat)
KVARN_MATRIX_EXTERN(TMatrixAdjacentCountStat)
KVARN_MATRIX_EXTERN(TMatrixValCntStat)
#undef KVARN_MATRIX_EXTERN

// The groups of touching numbers of one draw: for each group with at least one adjacent pair,
// in the order first met, the group and its number of pairs.
struct TAdjacentGroups {
  int Count = 0;
  std::array<int, CombSize> Group{};
  std::array<int, CombSize> Pairs{};
};
TAdjacentGroups MatrixAdjacentGroups(const TMatrixGeometry& g, TMatrixDir dir, const TComb& values);

#define KVARN_MATRIX_CLASS(T, Tmpl, Dir, IdentText, CaptionText) \
  class T : public Tmpl<Dir> {                                   \
   public:                                                       \
    using Base = Tmpl<Dir>;                                      \
    using Base::Base;                                            \
    static std::string Ident() { return IdentText; }             \
    static std::string Caption() { return CaptionText; }         \
  }

KVARN_MATRIX_CLASS(TstColumns, TMatrixGroupsStat, TMatrixDir::Columns, "COLS",
                   "Столбцы матрицы (не пустые)");
KVARN_MATRIX_CLASS(TstRows, TMatrixGroupsStat, TMatrixDir::Rows, "ROWS",
                   "Строки матрицы (не пустые)");
KVARN_MATRIX_CLASS(TstColValues, TMatrixValuesStat, TMatrixDir::Columns, "COLV",
                   "Количество чисел в столбце матрицы");
KVARN_MATRIX_CLASS(TstRowValues, TMatrixValuesStat, TMatrixDir::Rows, "ROWV",
                   "Количество чисел в строке матрицы");
KVARN_MATRIX_CLASS(TstColCount, TMatrixCountStat, TMatrixDir::Columns, "COLN",
                   "Количество не пустых столбцов в матрице");
KVARN_MATRIX_CLASS(TstRowCount, TMatrixCountStat, TMatrixDir::Rows, "ROWN",
                   "Количество не пустых строк в матрице");
KVARN_MATRIX_CLASS(TstColMask, TMatrixMaskStat, TMatrixDir::Columns, "COLM",
                   "Сочетания столбцов матрицы");
KVARN_MATRIX_CLASS(TstRowMask, TMatrixMaskStat, TMatrixDir::Rows, "ROWM",
                   "Сочетания строк матрицы");
KVARN_MATRIX_CLASS(TstColAjacent, TMatrixAdjacentStat, TMatrixDir::Columns, "COLA",
                   "Столбцы матрицы со смежными числами");
KVARN_MATRIX_CLASS(TstRowAjacent, TMatrixAdjacentStat, TMatrixDir::Rows, "ROWA",
                   "Строки матрицы со смежными числами");
KVARN_MATRIX_CLASS(TstColAjacentCnt, TMatrixAdjacentCountStat, TMatrixDir::Columns, "COLC",
                   "Количество столбцов матрицы со смежными числами");
KVARN_MATRIX_CLASS(TstRowAjacentCnt, TMatrixAdjacentCountStat, TMatrixDir::Rows, "ROWC",
                   "Количество строк матрицы со смежными числами");
#undef KVARN_MATRIX_CLASS

class TstColValCnt : public TMatrixValCntStat<TMatrixDir::Columns> {
 public:
  using Base = TMatrixValCntStat<TMatrixDir::Columns>;
  using Base::Base;
  static std::string Ident() { return "COL%d"; }
  static std::string Caption() { return "Количество чисел в %0:d столбце матрицы"; }
  static std::string HelpIdent() { return "COLx"; }
};

class TstRowValCnt : public TMatrixValCntStat<TMatrixDir::Rows> {
 public:
  using Base = TMatrixValCntStat<TMatrixDir::Rows>;
  using Base::Base;
  static std::string Ident() { return "ROW%d"; }
  static std::string Caption() { return "Количество чисел в %0:d строке матрицы"; }
  static std::string HelpIdent() { return "ROWx"; }
};

// ---- Mix and Seq tuples of columns and rows ----

struct TColumnAttr {
  static int Of(const TCustomMatrixStat& s, int n) { return s.ColumnOf(n); }
};
struct TRowAttr {
  static int Of(const TCustomMatrixStat& s, int n) { return s.RowOf(n); }
};

#define KVARN_MATRIX_TUPLES(T, Attr, Kind, N, IdentText, CaptionText)   \
  class T : public TGroupTuplesStat<TCustomMatrixStat, Attr, Kind, N> { \
   public:                                                              \
    using Base = TGroupTuplesStat<TCustomMatrixStat, Attr, Kind, N>;    \
    using Base::Base;                                                   \
    static std::string Ident() { return IdentText; }                    \
    static std::string Caption() { return CaptionText; }                \
  }

KVARN_MATRIX_TUPLES(TstCombColMix2, TColumnAttr, TTupleKind::Mix, 2, "KFM2",
                    "Сочетания из 2 столбцов по всем числам тиража");
KVARN_MATRIX_TUPLES(TstCombColMix3, TColumnAttr, TTupleKind::Mix, 3, "KFM3",
                    "Сочетания из 3 столбцов по всем числам тиража");
KVARN_MATRIX_TUPLES(TstCombColMix4, TColumnAttr, TTupleKind::Mix, 4, "KFM4",
                    "Сочетания из 4 столбцов по всем числам тиража");
KVARN_MATRIX_TUPLES(TstCombColSeq2, TColumnAttr, TTupleKind::Seq, 2, "KFS2",
                    "Сочетания из 2 столбцов по соседним числам");
KVARN_MATRIX_TUPLES(TstCombColSeq3, TColumnAttr, TTupleKind::Seq, 3, "KFS3",
                    "Сочетания из 3 столбцов по соседним числам");
KVARN_MATRIX_TUPLES(TstCombColSeq4, TColumnAttr, TTupleKind::Seq, 4, "KFS4",
                    "Сочетания из 4 столбцов по соседним числам");
KVARN_MATRIX_TUPLES(TstCombRowMix2, TRowAttr, TTupleKind::Mix, 2, "KRM2",
                    "Сочетания из 2 строк по всем числам тиража");
KVARN_MATRIX_TUPLES(TstCombRowMix3, TRowAttr, TTupleKind::Mix, 3, "KRM3",
                    "Сочетания из 3 строк по всем числам тиража");
KVARN_MATRIX_TUPLES(TstCombRowMix4, TRowAttr, TTupleKind::Mix, 4, "KRM4",
                    "Сочетания из 4 строк по всем числам тиража");
KVARN_MATRIX_TUPLES(TstCombRowSeq2, TRowAttr, TTupleKind::Seq, 2, "KRS2",
                    "Сочетания из 2 строк по соседним числам");
KVARN_MATRIX_TUPLES(TstCombRowSeq3, TRowAttr, TTupleKind::Seq, 3, "KRS3",
                    "Сочетания из 3 строк по соседним числам");
KVARN_MATRIX_TUPLES(TstCombRowSeq4, TRowAttr, TTupleKind::Seq, 4, "KRS4",
                    "Сочетания из 4 строк по соседним числам");
#undef KVARN_MATRIX_TUPLES

KVARN_STAT_CLASS_DECL(TstColumns);
KVARN_STAT_CLASS_DECL(TstRows);
KVARN_STAT_CLASS_DECL(TstColValues);
KVARN_STAT_CLASS_DECL(TstRowValues);
KVARN_STAT_CLASS_DECL(TstColCount);
KVARN_STAT_CLASS_DECL(TstRowCount);
KVARN_STAT_CLASS_DECL(TstColMask);
KVARN_STAT_CLASS_DECL(TstRowMask);
KVARN_STAT_CLASS_DECL(TstColAjacent);
KVARN_STAT_CLASS_DECL(TstRowAjacent);
KVARN_STAT_CLASS_DECL(TstColAjacentCnt);
KVARN_STAT_CLASS_DECL(TstRowAjacentCnt);
KVARN_STAT_CLASS_DECL(TstCombColMix2);
KVARN_STAT_CLASS_DECL(TstCombColMix3);
KVARN_STAT_CLASS_DECL(TstCombColMix4);
KVARN_STAT_CLASS_DECL(TstCombColSeq2);
KVARN_STAT_CLASS_DECL(TstCombColSeq3);
KVARN_STAT_CLASS_DECL(TstCombColSeq4);
KVARN_STAT_CLASS_DECL(TstCombRowMix2);
KVARN_STAT_CLASS_DECL(TstCombRowMix3);
KVARN_STAT_CLASS_DECL(TstCombRowMix4);
KVARN_STAT_CLASS_DECL(TstCombRowSeq2);
KVARN_STAT_CLASS_DECL(TstCombRowSeq3);
KVARN_STAT_CLASS_DECL(TstCombRowSeq4);
KVARN_STAT_CLASS_DECL(TstColValCnt);
KVARN_STAT_CLASS_DECL(TstRowValCnt);

}  // namespace kvarn
