// The method list file (favourites, list switches and the names a person gave the methods):
// read into the registry, written back and read again.
#include <cstdint>
#include <fstream>
#include <string>

#include "common/temp_dir.h"
#include "stats/registry.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static kvarn::test::TTempDir dir;
  static const kvarn::TDrawsArray draws;
  static kvarn::TStatList* list = new kvarn::TStatList(draws);
  const std::string path = dir.File("names.flt");
  {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  list->Register();
  list->AllFavourite = true;
  std::string message;
  if (!list->LoadNames(path, true, message)) return 0;
  for (int i = 0; i < list->Count(); ++i) list->DisplayName(i, true);
  list->BoxLines();
  const std::string favourites = list->FavouritesText();
  if (!list->SaveNames(path, true, true, message)) return 0;
  list->Register();
  if (!list->LoadNames(path, true, message)) __builtin_trap();
  if (list->FavouritesText() != favourites) __builtin_trap();
  return 0;
}
