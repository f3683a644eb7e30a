// Plain POSIX file access for the stakes layer: whole reads and writes at a position, the locked
// open, and the directory flush after a rename. Failures raise EKvarnError with the system's text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace kvarn {

[[noreturn]] void RaiseSystemError(int err);

// Opens `path` with `flags` (O_CLOEXEC added) and takes an exclusive lock without waiting.
int OpenLockedFile(const std::string& path, int flags);
// Opens `path` with `flags` (O_CLOEXEC added) when it is a regular file, without a lock.
int OpenRegularFile(const std::string& path, int flags);
void PreadAll(int fd, int64_t pos, uint8_t* out, size_t size);
void PwriteAll(int fd, int64_t pos, const uint8_t* in, size_t size);
// Writes at the descriptor's own position (the end, for a file opened to append).
void WriteAll(int fd, const uint8_t* in, size_t size);
// Makes a rename in `dir` durable; failures are ignored (the data itself is already flushed).
void SyncDirectory(const std::string& dir);

}  // namespace kvarn
