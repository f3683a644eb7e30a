#include "core/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace kvarn {

std::string SystemErrorText(int err) {
  return std::strerror(err);
}

void WriteFileAtomic(const std::string& path, std::string_view data) {
  std::string tmp = path + ".~new";
  int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) throw std::runtime_error(SystemErrorText(errno));
  size_t done = 0;
  while (done < data.size()) {
    ssize_t w = ::write(fd, data.data() + done, data.size() - done);
    if (w < 0) {
      if (errno == EINTR) continue;
      int e = errno;
      ::close(fd);
      ::unlink(tmp.c_str());
      throw std::runtime_error(SystemErrorText(e));
    }
    done += static_cast<size_t>(w);
  }
  // The descriptor is closed also when fsync fails.
  int e = ::fsync(fd) != 0 ? errno : 0;
  if (::close(fd) != 0 && e == 0) e = errno;
  if (e != 0) {
    ::unlink(tmp.c_str());
    throw std::runtime_error(SystemErrorText(e));
  }
  if (::rename(tmp.c_str(), path.c_str()) != 0) {
    int e = errno;
    ::unlink(tmp.c_str());
    throw std::runtime_error(SystemErrorText(e));
  }
}

std::string ReadWholeFile(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw std::runtime_error(SystemErrorText(errno));
  std::string out;
  char buf[65536];
  for (;;) {
    ssize_t r = ::read(fd, buf, sizeof buf);
    if (r < 0) {
      if (errno == EINTR) continue;
      int e = errno;
      ::close(fd);
      throw std::runtime_error(SystemErrorText(e));
    }
    if (r == 0) break;
    out.append(buf, static_cast<size_t>(r));
  }
  ::close(fd);
  return out;
}

bool FileExists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string PathJoin(std::string_view dir, std::string_view name) {
  if (dir.empty()) return std::string(name);
  std::string r(dir);
  if (r.back() != '/') r += '/';
  r += name;
  return r;
}

}  // namespace kvarn
