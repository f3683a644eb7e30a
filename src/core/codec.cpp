#include "core/codec.h"

#include <iconv.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

#include "core/utf8.h"

namespace kvarn {

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

}  // namespace kvarn
