#include "core/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cinttypes>
#include <cstring>
#include <stdexcept>

#include "core/text.h"

namespace kvarn {

std::string SystemErrorText(int err) {
  // The person reads these in Russian; rarer codes keep the system's own text.
  switch (err) {
    case ENOSPC:
    case EDQUOT:
      return "Недостаточно места на диске";
    case EFBIG:
      return "Превышен допустимый размер файла (недостаточно места на диске)";
    case EIO:
      return "Ошибка ввода-вывода";
    case EROFS:
      return "Диск доступен только для чтения";
    case EACCES:
    case EPERM:
      return "Отказано в доступе";
    case ENOENT:
      return "Нет такого файла или каталога";
    case ENOTDIR:
      return "Часть пути не является каталогом";
    case EISDIR:
      return "Это каталог";
    case ELOOP:
      return "Слишком много символических ссылок";
    case ENAMETOOLONG:
      return "Слишком длинное имя файла";
    default:
      return std::strerror(err);
  }
}

namespace {

[[noreturn]] void ThrowErrno(int err) {
  throw std::runtime_error(SystemErrorText(err));
}

// A failed save names the file, so that a message like "no space left" says which one is not
// written.
[[noreturn]] void ThrowWriteErrno(const std::string& path, int err) {
  throw std::runtime_error(StrFormat("%s: %s", path.c_str(), SystemErrorText(err).c_str()));
}

std::string DirOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string NotRegularText(const std::string& path) {
  return StrFormat("Файл \"%s\" не является обычным файлом (это каталог, устройство или канал)",
                   path.c_str());
}

// The file a chain of symbolic links ends at (the path itself when it is no link). A missing
// final target is returned as named by the last link, so that writing creates it.
std::string FollowLinks(const std::string& path) {
  std::string p = path;
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st;
    if (::lstat(p.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return p;
    std::string target(static_cast<size_t>(st.st_size > 0 ? st.st_size : 4096) + 1, '\0');
    const ssize_t n = ::readlink(p.c_str(), target.data(), target.size());
    if (n < 0) ThrowErrno(errno);
    target.resize(static_cast<size_t>(n));
    p = !target.empty() && target[0] == '/' ? target : PathJoin(DirOf(p), target);
  }
  ThrowErrno(ELOOP);
}

bool WriteAll(int fd, std::string_view data, int& err) {
  size_t done = 0;
  while (done < data.size()) {
    const ssize_t w = ::write(fd, data.data() + done, data.size() - done);
    if (w < 0) {
      if (errno == EINTR) continue;
      err = errno;
      return false;
    }
    done += static_cast<size_t>(w);
  }
  return true;
}

// A name no other writer uses at the same time: the process, a counter and the clock.
std::string TempNameFor(const std::string& target, int attempt) {
  static std::atomic<uint64_t> counter{0};
  const uint64_t now =
      static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
  return target + StrFormat(".~%" PRIxMAX "-%" PRIx64 "-%" PRIx64 "-%d.tmp",
                            static_cast<uintmax_t>(::getpid()), counter.fetch_add(1), now, attempt);
}

// The writer of a temporary named by TempNameFor, or 0 when the name is not one.
pid_t TempWriterOf(std::string_view name, std::string_view prefix) {
  if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) return 0;
  const size_t mark = name.rfind(".~");
  if (mark == std::string_view::npos || name.size() < 4 ||
      name.compare(name.size() - 4, 4, ".tmp") != 0)
    return 0;
  uintmax_t pid = 0;
  size_t i = mark + 2;
  for (; i < name.size() && std::isxdigit(static_cast<unsigned char>(name[i])); ++i)
    pid = pid * 16 + static_cast<uintmax_t>(std::isdigit(static_cast<unsigned char>(name[i]))
                                                ? name[i] - '0'
                                                : std::tolower(name[i]) - 'a' + 10);
  if (i == mark + 2 || i >= name.size() || name[i] != '-' || pid == 0 || pid > INT32_MAX) return 0;
  return static_cast<pid_t>(pid);
}

// The rename is only durable once the directory entry is written too. File systems that cannot
// sync a directory say so with EINVAL; the data itself is on disk then.
void SyncDir(const std::string& shown, const std::string& dir) {
  const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  const int rc = ::fsync(fd);
  const int err = errno;
  ::close(fd);
  if (rc != 0 && err != EINVAL && err != EROFS) ThrowWriteErrno(shown, err);
}

void ReplaceRegular(const std::string& shown, const std::string& target, std::string_view data,
                    const struct stat* old) {
  // What an earlier save of this file left when it was killed goes first.
  const std::string dir = DirOf(target);
  RemoveLeftTemporaries(dir, target.substr(target.rfind('/') + 1) + ".~");
  std::string tmp;
  int fd = -1;
  for (int attempt = 0; fd < 0; ++attempt) {
    tmp = TempNameFor(target, attempt);
    fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0644);
    if (fd < 0 && (errno != EEXIST || attempt >= 100)) ThrowWriteErrno(shown, errno);
  }
  int err = 0;
  // The file keeps the permissions it had (a settings file holding a password stays private).
  if (old && ::fchmod(fd, old->st_mode & 07777) != 0) err = errno;
  if (err == 0) WriteAll(fd, data, err);
  if (err == 0 && ::fsync(fd) != 0) err = errno;
  if (::close(fd) != 0 && err == 0) err = errno;
  if (err == 0 && ::rename(tmp.c_str(), target.c_str()) != 0) err = errno;
  if (err != 0) {
    ::unlink(tmp.c_str());
    ThrowWriteErrno(shown, err);
  }
  SyncDir(shown, dir);
}

}  // namespace

void WriteFileAtomic(const std::string& path, std::string_view data) {
  const std::string target = FollowLinks(path);
  struct stat st;
  const bool exists = ::stat(target.c_str(), &st) == 0;
  if (!exists && errno != ENOENT) ThrowWriteErrno(path, errno);
  if (exists && !S_ISREG(st.st_mode)) throw std::runtime_error(NotRegularText(path));
  ReplaceRegular(path, target, data, exists ? &st : nullptr);
}

void RemoveLeftTemporaries(const std::string& dir, std::string_view prefix) {
  DIR* d = ::opendir(dir.c_str());
  if (!d) return;
  while (const dirent* e = ::readdir(d)) {
    const pid_t writer = TempWriterOf(e->d_name, prefix);
    // A writer still running (or one we may not signal) keeps its file.
    if (writer == 0 || ::kill(writer, 0) == 0 || errno != ESRCH) continue;
    const std::string path = PathJoin(dir, e->d_name);
    struct stat st;
    if (::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode)) ::unlink(path.c_str());
  }
  ::closedir(d);
}

void WriteOutputFile(const std::string& path, std::string_view data) {
  const std::string target = FollowLinks(path);
  struct stat st;
  if (::stat(target.c_str(), &st) != 0 || S_ISREG(st.st_mode)) return WriteFileAtomic(path, data);
  if (S_ISDIR(st.st_mode)) ThrowWriteErrno(path, EISDIR);
  const int fd = ::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) ThrowWriteErrno(path, errno);
  int err = 0;
  WriteAll(fd, data, err);
  // Devices and pipes have nothing to sync; a failed write (a full device) is still reported.
  if (err == 0 && ::fsync(fd) != 0 && errno != EINVAL && errno != EROFS) err = errno;
  if (::close(fd) != 0 && err == 0) err = errno;
  if (err != 0) ThrowWriteErrno(path, err);
}

std::string ReadWholeFile(const std::string& path, uint64_t limit) {
  // Without O_NONBLOCK opening a FIFO would wait for a writer.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) ThrowErrno(errno);
  struct FdCloser {
    int fd;
    ~FdCloser() { ::close(fd); }
  } closer{fd};
  struct stat st;
  if (::fstat(fd, &st) != 0) ThrowErrno(errno);
  if (!S_ISREG(st.st_mode)) throw std::runtime_error(NotRegularText(path));
  const auto tooLarge = [&](uint64_t size) {
    return std::runtime_error(StrFormat("Файл \"%s\" слишком велик: %" PRIu64
                                        " байт при допустимых %" PRIu64 " байт",
                                        path.c_str(), size, limit));
  };
  if (static_cast<uint64_t>(st.st_size) > limit) throw tooLarge(static_cast<uint64_t>(st.st_size));
  std::string out;
  out.reserve(static_cast<size_t>(st.st_size));
  char buf[65536];
  for (;;) {
    const ssize_t r = ::read(fd, buf, sizeof buf);
    if (r < 0) {
      if (errno == EINTR) continue;
      ThrowErrno(errno);
    }
    if (r == 0) break;
    out.append(buf, static_cast<size_t>(r));
    // A file that grows while it is read is held to the same limit.
    if (out.size() > limit) throw tooLarge(out.size());
  }
  return out;
}

bool FileExists(const std::string& path) {
  struct stat st;
  if (::stat(path.c_str(), &st) == 0) return true;
  return errno != ENOENT && errno != ENOTDIR;
}

bool RegularFileExists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

TFileStamp FileStampOf(const std::string& path) {
  TFileStamp s;
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return s;
  s.Exists = true;
  s.Device = static_cast<uint64_t>(st.st_dev);
  s.Inode = static_cast<uint64_t>(st.st_ino);
  s.Size = static_cast<uint64_t>(st.st_size);
  s.ModifiedNs = static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
  return s;
}

std::string PathJoin(std::string_view dir, std::string_view name) {
  if (dir.empty()) return std::string(name);
  std::string r(dir);
  if (r.back() != '/') r += '/';
  r += name;
  return r;
}

}  // namespace kvarn
