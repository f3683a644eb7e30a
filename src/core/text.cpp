#include "core/text.h"

#include <fcntl.h>
#include <iconv.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include <cmath>
#include <fstream>
#include <sstream>

namespace kvarn {

std::string StrFormat(const char* fmt, ...) {
  va_list ap;
  va_start(ap, fmt);
  va_list ap2;
  va_copy(ap2, ap);
  int n = std::vsnprintf(nullptr, 0, fmt, ap);
  va_end(ap);
  std::string out;
  if (n > 0) {
    out.resize(static_cast<size_t>(n));
    std::vsnprintf(out.data(), out.size() + 1, fmt, ap2);
  }
  va_end(ap2);
  return out;
}

void Raise(const std::string& message) {
  throw EKvarnError(message);
}

std::string_view Trim(std::string_view s) {
  size_t b = 0, e = s.size();
  while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
  while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
  return s.substr(b, e - b);
}

std::string ToLowerAscii(std::string_view s) {
  std::string r(s);
  for (char& c : r)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return r;
}

namespace {

// Decodes one UTF-8 code point; invalid bytes are taken as themselves.
char32_t DecodeUtf8(std::string_view s, size_t& i) {
  unsigned char c = static_cast<unsigned char>(s[i]);
  if (c < 0x80) {
    ++i;
    return c;
  }
  int len = (c >= 0xF0) ? 4 : (c >= 0xE0) ? 3 : (c >= 0xC0) ? 2 : 1;
  if (len == 1 || i + len > s.size()) {
    ++i;
    return c;
  }
  char32_t cp = c & (0x3F >> (len - 1));
  for (int k = 1; k < len; ++k) cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
  i += len;
  return cp;
}

void EncodeUtf8(char32_t cp, std::string& out) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

char32_t UpperCp(char32_t c) {
  if (c >= 'a' && c <= 'z') return c - 32;
  if (c >= 0x430 && c <= 0x44F) return c - 0x20;  // а..я
  if (c >= 0x450 && c <= 0x45F) return c - 0x50;  // ѐ..џ (ё)
  return c;
}

char32_t LowerCp(char32_t c) {
  if (c >= 'A' && c <= 'Z') return c + 32;
  if (c >= 0x410 && c <= 0x42F) return c + 0x20;
  if (c >= 0x400 && c <= 0x40F) return c + 0x50;
  return c;
}

}  // namespace

std::string ToUpperUtf8(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size();) EncodeUtf8(UpperCp(DecodeUtf8(s, i)), out);
  return out;
}

std::string ToLowerUtf8(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size();) EncodeUtf8(LowerCp(DecodeUtf8(s, i)), out);
  return out;
}

bool SameTextIgnoreCase(std::string_view a, std::string_view b) {
  size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    if (UpperCp(DecodeUtf8(a, i)) != UpperCp(DecodeUtf8(b, j))) return false;
  }
  return i == a.size() && j == b.size();
}

std::vector<std::string> SplitWords(std::string_view text, std::string_view separators) {
  std::vector<std::string> words;
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && separators.find(text[i]) != std::string_view::npos) ++i;
    size_t b = i;
    while (i < text.size() && separators.find(text[i]) == std::string_view::npos) ++i;
    if (i > b) {
      std::string_view w = Trim(text.substr(b, i - b));
      if (!w.empty()) words.emplace_back(w);
    }
  }
  return words;
}

bool TryTextToInt(std::string_view s, int64_t& value) {
  s = Trim(s);
  if (s.empty()) return false;
  size_t i = 0;
  bool neg = false;
  if (s[0] == '+' || s[0] == '-') {
    neg = s[0] == '-';
    i = 1;
  }
  if (i >= s.size()) return false;
  int64_t v = 0;
  for (; i < s.size(); ++i) {
    if (s[i] < '0' || s[i] > '9') return false;
    v = v * 10 + (s[i] - '0');
    if (v > 2147483648LL) return false;
  }
  if (neg) v = -v;
  if (v > 2147483647LL) return false;
  value = v;
  return true;
}

int TextToIntDef(std::string_view s, int def) {
  int64_t v;
  return TryTextToInt(s, v) ? static_cast<int>(v) : def;
}

bool TryTextToReal(std::string_view s, long double& value) {
  s = Trim(s);
  if (s.empty()) return false;
  std::string t(s);
  for (char& c : t)
    if (c == ',') c = '.';
  // Only plain decimal notation with an optional exponent; no hex, inf or nan.
  for (char c : t)
    if (!((c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E'))
      return false;
  char* end = nullptr;
  errno = 0;
  long double v = std::strtold(t.c_str(), &end);
  if (end != t.c_str() + t.size() || errno == ERANGE) return false;
  value = v;
  return true;
}

double TextToRealDef(std::string_view s, double def) {
  long double v;
  return TryTextToReal(s, v) ? static_cast<double>(v) : def;
}

std::string RealText(long double value) {
  // Shortest text that reads back to the same double, "." as separator. A plain form is
  // preferred to the exponent ("1000000", not "1e+06") for the magnitudes prices and prizes take.
  std::string shortest;
  for (int prec = 1; prec <= 17; ++prec) {
    std::string t = StrFormat("%.*Lg", prec, value);
    if (std::strtod(t.c_str(), nullptr) != static_cast<double>(value)) continue;
    if (t.find('e') == std::string::npos) return t;
    if (shortest.empty()) shortest = t;
  }
  return shortest.empty() ? StrFormat("%.17Lg", value) : shortest;
}

size_t Utf8Length(std::string_view s) {
  size_t n = 0;
  for (size_t i = 0; i < s.size();) {
    DecodeUtf8(s, i);
    ++n;
  }
  return n;
}

std::string Utf8Left(std::string_view s, size_t maxChars) {
  size_t i = 0, n = 0;
  while (i < s.size() && n < maxChars) {
    DecodeUtf8(s, i);
    ++n;
  }
  return std::string(s.substr(0, i));
}

namespace {

std::string Convert(std::string_view in, const char* to, const char* from, char replacement) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv_open failed");
  std::string out;
  out.reserve(in.size() * 2);
  char* src = const_cast<char*>(in.data());
  size_t srcLeft = in.size();
  char buf[4096];
  while (srcLeft > 0) {
    char* dst = buf;
    size_t dstLeft = sizeof buf;
    size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    out.append(buf, static_cast<size_t>(dst - buf));
    if (r == static_cast<size_t>(-1)) {
      if (errno == E2BIG) continue;
      // Unconvertible or broken input: substitute and skip one character.
      out += replacement;
      size_t skip = 1;
      if (std::strcmp(from, "UTF-8") == 0) {
        size_t i = 0;
        DecodeUtf8(std::string_view(src, srcLeft), i);
        skip = i;
      }
      src += skip;
      srcLeft -= skip;
    }
  }
  iconv_close(cd);
  return out;
}

}  // namespace

std::string Utf8ToCp1251(std::string_view utf8) {
  return Convert(utf8, "CP1251", "UTF-8", '?');
}

std::string Cp1251ToUtf8(std::string_view cp1251) {
  return Convert(cp1251, "UTF-8", "CP1251", '?');
}

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
