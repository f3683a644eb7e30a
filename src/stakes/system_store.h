// The local store of systems: the folder "Systems" in the data directory, one plain-text file of
// combination lines per system, named by SystemFileName, at most one system per count of numbers.
// The properties of a system (title, author, ...) stand beside its file in an INI file of the same
// name with ".ini"; a system file without one is listed with what its name and lines tell.
#pragma once

#include <string>
#include <vector>

#include "stakes/system.h"

namespace kvarn {

constexpr const char* SystemsFolderName = "Systems";

std::string SystemsFolder(const std::string& dataDir);
// The full path of the system's file: "%d-%.2d-%d_%.4d.dat" with 5, n, block and id.
std::string SystemFileName(const std::string& dataDir, const tSystemInfo& info);
// The pattern of the files of every system for n numbers.
std::string SystemFilePattern(int numsCount);
// The file of the system for n numbers, the first by name should there be several; empty when
// the store has none.
std::string SystemFindFile(const std::string& dataDir, int numsCount);
// The file name without folder and extension, as stake descriptions name a system.
std::string SystemShortName(const std::string& path);

struct TStoredSystem {
  tSystemInfo Info;
  std::string FileName;    // full path of the system's file
  TDateTime FileDate = 0;  // the file's modification time
};

// The text of a system's properties file (cp1251, CR LF), and the properties read from such a
// text over what the name and the lines of the system's file tell (`info`: the id, the count of
// numbers and the block come from the name alone). Line breaks and "\\" in the text fields are
// escaped. SystemPropsRead raises on a text that is no INI file.
std::string SystemPropsText(const tSystemInfo& info);
void SystemPropsRead(const std::string& text, tSystemInfo& info);

// Every system of the store, by count of numbers and then by file name. Unreadable property files
// are passed over (the name and the lines still describe the system).
std::vector<TStoredSystem> SystemsList(const std::string& dataDir);
// The properties and the combination text of a stored system. Throws with the system's text.
tSystemData SystemLoad(const TStoredSystem& stored);
// The smallest id above every id of the store (1 for an empty store).
int32_t SystemNextId(const std::string& dataDir);

// Writes a system into the store: its lines normalised, then its properties, its file time set to
// the creation time (the current time when missing), and only then the files of every other system
// for the same count of numbers removed - and the file of the system it replaces (`replaces`, on a
// change that renames it). Fails, storing nothing, when the count of lines differs from
// CombsCount or the dialog's checks refuse it. Raises "Ошибка добавления системы!\r\r%s".
void SystemsAdd(const std::string& dataDir, tSystemData data);
// The same for a changed system; raises "Ошибка изменения системы!\r\r%s".
void SystemsChange(const std::string& dataDir, tSystemData data, const std::string& replaces);

}  // namespace kvarn
