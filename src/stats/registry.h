// The method registry: one entry per method class, and per parameter value of a parametrised
// class, in the fixed order of the registration table; display names, favourites, user-given
// names and the method list file.
//
// How a family adds its classes:
//   1. In src/stats/methods/<family>.h declare each class (or only its descriptor) and
//        KVARN_STAT_CLASS_DECL(TstSomething);
//   2. In src/stats/methods/<family>.cpp define the class and
//        KVARN_STAT_CLASS(TstSomething)
//   3. In src/stats/registry_table.cpp include the family header and replace the class's
//      `nullptr` on its line of the table by `&TstSomething_Class`. The table already lists all
//      classes by name in their fixed order: never add, move or reorder lines.
// The library is static, so nothing registers itself: the table's reference is what links a
// family into the programs.
#pragma once

#include <array>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "stats/stat.h"

namespace kvarn {

struct TConfigData;

// ---- groups ----

constexpr int StatGroupCount = 13;
struct TStatGroup {
  const char* Ident;    // "num"
  const char* Caption;  // "Числа тиража"
};
extern const std::array<TStatGroup, StatGroupCount> StatGroups;
// "{ %1:s } %0:s" of caption and identifier; "#ERROR#" outside 0..12.
std::string StatGroupHeading(int group);
std::string StatGroupIdent(int group);  // empty outside 0..12

// ---- registration table ----

struct TStatTableLine {
  const char* ClassName;
  TStatClassRef Class;  // nullptr while the class is not built yet
};
// Every method class in the fixed registration order (registry_table.cpp).
std::span<const TStatTableLine> StatRegistrationTable();

// ---- weight coefficients of the "Вес" column ----

struct TStatWeights {
  long double Count = 0;
  long double Deviation = -1;
  long double Level = 1;
  bool Percents = false;
  bool Abs = false;
  friend bool operator==(const TStatWeights&, const TStatWeights&) = default;
};

// ---- entries ----

class TStatMethod {
 public:
  TStatMethod(const TStatClass& cls, int param) : StatClass(&cls), Param(param) {}

  const TStatClass* StatClass;
  int32_t Param;
  bool Favourite = true;
  std::string CustomName;
  std::string FormulaText;  // shredding group only

  std::string IdentOf() const { return StatClass->IdentOf(Param); }
  std::string CaptionOf() const { return StatClass->CaptionOf(Param); }
  std::string Name() const { return CustomName.empty() ? CaptionOf() : CustomName; }
  std::string FullName() const;
  bool CanParseValue() const { return StatClass->CanParseValue(); }
  std::unique_ptr<TCustomStat> CreateStat(const TStatList& list) const {
    return StatClass->Create(list, Param);
  }
};

// One line of a method box: its text and the registry entry it carries.
struct TMethodBoxLine {
  std::string Text;
  int Entry;
};
struct TMethodBoxes {
  std::vector<TMethodBoxLine> Stat;   // statistics box
  std::vector<TMethodBoxLine> Graph;  // graph box
};

// ---- the registry ----

class TStatList {
 public:
  // The archive the method instances read; it must outlive the registry's instances.
  explicit TStatList(const TDrawsArray& draws);
  ~TStatList();
  TStatList(const TStatList&) = delete;
  TStatList& operator=(const TStatList&) = delete;

  const TDrawsArray& Draws() const { return *draws_; }
  void SetDraws(const TDrawsArray& draws) { draws_ = &draws; }

  // Settings the methods read (matrix columns, channel width, segments, formulas). The record
  // belongs to the caller; without one the defaults of an empty configuration hold.
  void SetConfig(const TConfigData* config) { config_ = config; }
  const TConfigData& Config() const;

  // The registration table in use (tests substitute their own).
  void SetTable(std::span<const TStatTableLine> table) { table_ = table; }

  int Count() const { return static_cast<int>(items_.size()); }
  TStatMethod& Items(int i) { return *items_.at(static_cast<size_t>(i)); }
  const TStatMethod& Items(int i) const { return *items_.at(static_cast<size_t>(i)); }
  bool IsAvailable(int i) const { return Items(i).StatClass->IsAvailable(); }
  bool IsListed(int i) const { return Items(i).StatClass->IsListed(); }
  bool IsGraph(int i) const { return Items(i).StatClass->IsGraph(); }
  bool CanPrefetch(int i) const { return Items(i).StatClass->CanPrefetch(); }
  bool IsFavourite(int i) const { return AllFavourite || Items(i).Favourite; }

  // Rebuilds the entries from the table with default options.
  void Register();
  std::string DisplayName(int i, bool withFlags) const;
  std::unique_ptr<TCustomStat> CreateStat(int i) const { return Items(i).CreateStat(*this); }
  // The help page of an entry; empty while HelpFile is not an existing file.
  std::string HelpTopic(int i) const {
    return Items(i).StatClass->HelpTopic(Items(i).Param, HelpFile);
  }

  void SetAllFavourite();
  void NormaliseFavourites();
  std::string FavouritesText() const;
  void SetFavouritesText(std::string_view text);

  // The method list file. On failure: false, and message holds the text to show.
  bool LoadNames(const std::string& file, bool withOptions, std::string& message);
  bool SaveNames(const std::string& file, bool withOptions, bool allNames, std::string& message);

  // Saves the state to the file, re-registers, reads the file back and returns the lines of
  // the statistics and the graph box. message is non-empty when the file failed.
  TMethodBoxes RefillBoxes(const std::string& file, std::string& message);
  // The lines alone, from the current entries.
  TMethodBoxes BoxLines() const;

  // The first entry whose identifier is a prefix of text (case ignored); -1 when none.
  int FindByIdentPrefix(std::string_view text) const;
  // The entry whose identifier equals ident (case ignored); -1 when none.
  int FindByIdent(std::string_view ident) const;

  // Weight coefficients in use, and the copy a scenario run keeps.
  TStatWeights Weights;
  TStatWeights SavedWeights;
  void SaveWeights() { SavedWeights = Weights; }
  void RestoreWeights() { Weights = SavedWeights; }
  // The override's coefficients when given, else the saved copy.
  void ApplyWeights(const TStatWeights* override_) {
    Weights = override_ ? *override_ : SavedWeights;
  }

  bool Ordered = false;
  bool ShowGroupName = true;
  bool ShowMethodFlags = true;
  bool AllFavourite = true;
  // The three shredding formulas; entries of the shredding group take theirs at registration.
  std::array<std::string, 3> ShreddingFormulas;
  // Decimal digits each formula's value is shredded to (1..5).
  std::array<int, 3> ShreddingDigits{2, 2, 2};
  // Section suffix of the user-given names: the interface language's abbreviation.
  std::string Language = "RUS";
  // The compiled help file of the interface language; the shell sets it, empty means no help.
  std::string HelpFile;

 private:
  const TDrawsArray* draws_;
  const TConfigData* config_ = nullptr;
  std::span<const TStatTableLine> table_;
  std::vector<std::unique_ptr<TStatMethod>> items_;
};

}  // namespace kvarn
