// The method list file (favourites, list switches and the names a person gave the methods): read
// into the registry, written back and read again to the same state.
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "common/temp_dir.h"
#include "core/text.h"
#include "stats/registry.h"

namespace {

// What Register() leaves, without building every entry again for each input.
void Reset(kvarn::TStatList& list) {
  list.Ordered = false;
  list.ShowGroupName = true;
  list.ShowMethodFlags = true;
  list.SetAllFavourite();
  for (int i = 0; i < list.Count(); ++i) list.Items(i).CustomName.clear();
}

std::vector<std::string> Names(const kvarn::TStatList& list) {
  std::vector<std::string> names;
  for (int i = 0; i < list.Count(); ++i) names.push_back(list.Items(i).CustomName);
  return names;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static kvarn::test::TTempDir dir;
  static const kvarn::TDrawsArray draws;
  static kvarn::TStatList* list = [] {
    auto* l = new kvarn::TStatList(draws);
    l->Register();
    return l;
  }();
  const std::string path = dir.File("names.flt");
  {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  Reset(*list);
  std::string message;
  if (!list->LoadNames(path, true, message)) return 0;
  // Only what the file decides is rendered: the captions of every entry, built for each input,
  // made this target slow and do not depend on the file. The boxes are built when the file cut
  // them down to its favourites; the names it gave are lower-cased as their ordering does.
  for (int i = 0; i < list->Count(); ++i)
    if (!list->Items(i).CustomName.empty()) kvarn::ToLowerUtf8(list->DisplayName(i, true));
  if (!list->AllFavourite) list->BoxLines();
  const std::string favourites = list->FavouritesText();
  const std::vector<std::string> names = Names(*list);
  const bool ordered = list->Ordered, groups = list->ShowGroupName, flags = list->ShowMethodFlags;
  if (!list->SaveNames(path, true, false, message)) return 0;
  Reset(*list);
  if (!list->LoadNames(path, true, message)) __builtin_trap();
  if (list->FavouritesText() != favourites || Names(*list) != names || list->Ordered != ordered ||
      list->ShowGroupName != groups || list->ShowMethodFlags != flags)
    __builtin_trap();
  return 0;
}
