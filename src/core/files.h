// Whole files: the atomic rewrite every data file goes through, reading, existence, and paths.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kvarn {

// The largest file a reader takes unless it names its own limit: far above any archive, list or
// settings file, far below what would exhaust memory.
constexpr uint64_t DefaultReadLimit = uint64_t{256} << 20;

// Writes `data` to `path` through a temporary file of a unique name in the same directory and a
// rename, so that a crash, a full disk or a second writer never leaves a half-written or mixed
// file; temporaries an earlier, killed save of the file left are removed. A symbolic link is
// followed and its target replaced, with the target's permissions. A target that exists and is not
// a regular file (a device, a FIFO, a directory) is refused: data files are only ever regular
// files. Returns once the data and the rename are on disk; throws std::runtime_error on failure,
// and the old file is then untouched.
void WriteFileAtomic(const std::string& path, std::string_view data);
// Removes the temporary files WriteFileAtomic left in `dir` for targets whose names begin with
// `prefix` when the process that wrote them is gone (killed, or the machine stopped): the
// target itself was never touched by them. A temporary whose writer still runs is kept, so no
// lock is needed.
void RemoveLeftTemporaries(const std::string& dir, std::string_view prefix);
// A file the person named (an export, a saved list): a regular or missing target is written as
// WriteFileAtomic does; any other existing target (a device, a FIFO) is written directly, so that
// /dev/null stays /dev/null. A directory is refused.
void WriteOutputFile(const std::string& path, std::string_view data);

// Reads a whole regular file; anything else (a FIFO, a device, a directory) is refused without
// blocking, and a file above `limit` bytes is refused with a message naming the limit. Throws
// std::runtime_error with the reason.
std::string ReadWholeFile(const std::string& path, uint64_t limit = DefaultReadLimit);
// Something is at the path: a file of any kind, or an entry that cannot be examined. Readers then
// go on to read and report what they find, so that a special or unreadable file is never taken
// for a missing one (and replaced by the next save).
bool FileExists(const std::string& path);
// A regular file is at the path (symbolic links followed).
bool RegularFileExists(const std::string& path);
std::string SystemErrorText(int err);

// What tells one version of a file from another: a rewrite through a rename gives a new inode,
// a change in place a new size or time.
struct TFileStamp {
  bool Exists = false;
  uint64_t Device = 0, Inode = 0, Size = 0;
  int64_t ModifiedNs = 0;
  bool operator==(const TFileStamp&) const = default;
};
TFileStamp FileStampOf(const std::string& path);

// Joins a directory and a file name with one "/".
std::string PathJoin(std::string_view dir, std::string_view name);

}  // namespace kvarn
