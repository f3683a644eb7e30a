// What "О программе" tells: the program, its version and the libraries it is built on.
#pragma once

#include <string>
#include <vector>

namespace kvarn {

struct TLibraryInfo {
  std::string Name;
  std::string Version;  // as the library reports it at run time where it can
  std::string Licence;
};

std::string ProgramTitle();    // "Kvarn 5x36"
std::string ProgramVersion();  // of this build
// The engine's libraries; the window adds its toolkit's.
std::vector<TLibraryInfo> EngineLibraries();

}  // namespace kvarn
