// The favourite methods: what follows the manager's OK, and the manager's edits without it.
#include "app/workspace.h"
#include "stats/favourites.h"

namespace kvarn {

void TWorkspace::FavouritesApplied() {
  TProgressText progress(host_, "Подождите пожалуйста...");
  // The refill writes the registry's state to the method list file first.
  MethodBoxesRefill(false);
}

void TWorkspace::FavouritesSet(const std::vector<std::string>& idents, bool on) {
  SetFavourites(StatList(), idents, on);
  MethodBoxesRefill(true);
}

void TWorkspace::FavouritesRename(const std::string& ident, const std::string& name) {
  RenameMethod(StatList(), ident, name);
  MethodBoxesRefill(true);
}

bool TWorkspace::FavouritesImport(const std::string& file) {
  TStatList& list = StatList();
  std::string message;
  if (!list.LoadNames(file, false, message)) {
    // A failed read may have renamed some entries already: the file's state comes back.
    std::string ignored;
    list.LoadNames(MethodListPath(), false, ignored);
    ShowError(host_, message);
    return false;
  }
  MethodBoxesRefill(true);
  return true;
}

bool TWorkspace::FavouritesExport(const std::string& file) {
  TFavouritesTree tree(StatList());
  std::string message;
  if (tree.ExportNames(file, message)) return true;
  ShowError(host_, message);
  return false;
}

}  // namespace kvarn
