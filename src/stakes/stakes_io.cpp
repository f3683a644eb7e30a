#include "stakes/stakes_io.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "core/files.h"
#include "core/text.h"

namespace kvarn {

void RaiseSystemError(int err) {
  Raise(SystemErrorText(err));
}

int OpenRegularFile(const std::string& path, int flags) {
  // Without O_NONBLOCK a FIFO in place of the file would wait for a writer.
  const int fd = ::open(path.c_str(), flags | O_CLOEXEC | O_NONBLOCK, 0644);
  if (fd < 0) RaiseSystemError(errno);
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    Raise(StrFormat("Файл \"%s\" не является обычным файлом", path.c_str()));
  }
  // Reads and writes of a regular file wait as they always do.
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  return fd;
}

int OpenLockedFile(const std::string& path, int flags) {
  const int fd = OpenRegularFile(path, flags);
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int err = errno;
    ::close(fd);
    RaiseSystemError(err);
  }
  return fd;
}

void PreadAll(int fd, int64_t pos, uint8_t* out, size_t size) {
  size_t done = 0;
  while (done < size) {
    const ssize_t r =
        ::pread(fd, out + done, size - done, static_cast<off_t>(pos) + static_cast<off_t>(done));
    if (r < 0) {
      if (errno == EINTR) continue;
      RaiseSystemError(errno);
    }
    if (r == 0) Raise("Неожиданный конец файла ставок");
    done += static_cast<size_t>(r);
  }
}

void PwriteAll(int fd, int64_t pos, const uint8_t* in, size_t size) {
  size_t done = 0;
  while (done < size) {
    const ssize_t w =
        ::pwrite(fd, in + done, size - done, static_cast<off_t>(pos) + static_cast<off_t>(done));
    if (w < 0) {
      if (errno == EINTR) continue;
      RaiseSystemError(errno);
    }
    done += static_cast<size_t>(w);
  }
}

void WriteAll(int fd, const uint8_t* in, size_t size) {
  size_t done = 0;
  while (done < size) {
    const ssize_t w = ::write(fd, in + done, size - done);
    if (w < 0) {
      if (errno == EINTR) continue;
      RaiseSystemError(errno);
    }
    done += static_cast<size_t>(w);
  }
}

void SyncDirectory(const std::string& dir) {
  const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace kvarn
