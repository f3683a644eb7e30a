// Where the data files live.
#pragma once

#include <string>

namespace kvarn {

// The directory given explicitly (--dir), else $KVARN_DATA_DIR, else the program's directory when
// it is writable (the portable layout), else ~/.local/share/Kvarn_5x36. The directory is created
// when missing.
std::string ResolveDataDir(const std::string& explicitDir, const std::string& programDir);

// Directory of the running executable.
std::string ProgramDir();

bool EnsureDir(const std::string& dir);

}  // namespace kvarn
