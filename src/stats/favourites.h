// The favourites manager's working copy of the registry: group headings with their entries, the
// ticks and the names the user edits, and the three display options. The registry changes only
// when the copy is applied (the dialog's OK), so cancelling leaves everything as it was.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "stats/registry.h"

namespace kvarn {

struct TFavouritesEntry {
  int Entry = -1;    // registry index
  std::string Text;  // the name shown and edited
  bool Ticked = false;
};

struct TFavouritesGroup {
  int Group = 0;
  std::string Text;  // the heading, "{ num } Числа тиража"
  std::vector<TFavouritesEntry> Entries;
};

// A node of the tree: a heading (Entry == -1) or one of its entries.
struct TFavouritesPos {
  int Group = -1;
  int Entry = -1;
  bool Valid() const { return Group >= 0; }
  bool IsEntry() const { return Group >= 0 && Entry >= 0; }
};

// Tree icons: not ticked, ticked, heading.
enum : int { fiUnticked = 0, fiTicked = 1, fiHeading = 2 };

class TFavouritesTree {
 public:
  // Fills the copy from the registry's current state.
  explicit TFavouritesTree(TStatList& list);

  const std::vector<TFavouritesGroup>& Groups() const { return groups_; }
  bool Empty() const { return groups_.empty(); }
  // "всего %d методов" with the number of registry entries.
  std::string CountText() const;
  int Icon(TFavouritesPos pos) const;
  const TFavouritesEntry& EntryAt(TFavouritesPos pos) const;
  // The registry entry of a node, -1 for a heading or an invalid node.
  int RegistryEntry(TFavouritesPos pos) const;

  void CheckNone() { SetAll(false); }
  void CheckAll() { SetAll(true); }
  // The entries of the node's heading (the heading itself, or the entry's own).
  void GroupNone(TFavouritesPos pos) { SetGroup(pos, false); }
  void GroupAll(TFavouritesPos pos) { SetGroup(pos, true); }
  // A click on an entry flips its tick; headings stay as they are.
  void Toggle(TFavouritesPos pos);
  // A name of one line, trimmed; an empty one gives the default caption back.
  void Rename(TFavouritesPos pos, std::string_view text);
  void ResetName(TFavouritesPos pos);

  // The names of a name file (without options) replace the shown names; the ticks stay. A file
  // without this language's names gives every entry its default caption. The registry is not
  // changed. On failure: false and the message to show; the names stay as they were.
  bool ImportNames(const std::string& file, std::string& message);
  // Writes the shown names of every entry (not the ticks) into a name file; the registry keeps
  // its own names.
  bool ExportNames(const std::string& file, std::string& message);

  // The dialog's OK: ticks and names into the registry (a name equal to the default caption, in
  // any letter case, is no name of its own), the favourites normalised (nothing ticked means
  // everything offered), then the options.
  void Apply();

  bool Ordered;
  bool ShowGroupName;
  bool ShowMethodFlags;

 private:
  void SetAll(bool ticked);
  void SetGroup(TFavouritesPos pos, bool ticked);
  TFavouritesEntry* Find(TFavouritesPos pos);

  TStatList& list_;
  std::vector<TFavouritesGroup> groups_;
};

// ---- the same edits straight on the registry (kvarn-cli) ----

// Ticks (on) or unticks the entries of the identifiers, case ignored, then normalises the
// favourites. Raises "Метод расчета статистики \"%s\" не найден!" for an unknown identifier
// before changing anything.
void SetFavourites(TStatList& list, const std::vector<std::string>& idents, bool on);
// The entry's own name by the manager's rules (trimmed, one line; empty or the default caption
// in any letter case clears it). Raises for an unknown identifier as above.
void RenameMethod(TStatList& list, std::string_view ident, std::string_view name);
// A name as the manager keeps it: control characters become blanks, then trimmed.
std::string CleanMethodName(std::string_view name);

}  // namespace kvarn
