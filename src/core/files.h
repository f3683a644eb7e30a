// Whole files: the atomic rewrite every data file goes through, reading, existence, and paths.
#pragma once

#include <string>
#include <string_view>

namespace kvarn {

// Writes `data` to `path` through a temporary file in the same directory and a rename, so that a
// crash or a full disk never leaves a half-written file. Throws std::runtime_error on failure.
void WriteFileAtomic(const std::string& path, std::string_view data);
// Reads a whole file; throws std::runtime_error with the system's error text on failure.
std::string ReadWholeFile(const std::string& path);
bool FileExists(const std::string& path);
std::string SystemErrorText(int err);

// Joins a directory and a file name with one "/".
std::string PathJoin(std::string_view dir, std::string_view name);

}  // namespace kvarn
