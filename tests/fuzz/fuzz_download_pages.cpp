// The pages of the web archive of draws. The input is split at the first NUL byte into the list
// page and the page of a single draw (served for every draw the list shows without numbers).
// Every draw read must be one the archive may hold; the marker functions must never fail on
// their own input.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "core/download.h"

namespace {

bool ValidDraw(const kvarn::TDraw& d) {
  if (d.Number <= 0 || d.Extra > 4 || d.DateText.empty()) return false;
  for (size_t i = 0; i < d.Values.size(); ++i) {
    if (d.Values[i] < 1 || d.Values[i] > 36) return false;
    for (size_t j = 0; j < i; ++j)
      if (d.Values[i] == d.Values[j]) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view all(reinterpret_cast<const char*>(data), size);
  const size_t cut = all.find('\0');
  const std::string list(all.substr(0, cut));
  const std::string own(cut == std::string_view::npos ? std::string_view() : all.substr(cut + 1));

  int gets = 0;
  kvarn::TArchiveSource source;
  source.Get = [&](const std::string& path) {
    return ++gets == 1 || path.find("archive/") == std::string::npos ? list : own;
  };
  for (kvarn::TArchiveKind kind : {kvarn::TArchiveKind::Old, kvarn::TArchiveKind::New}) {
    kvarn::TDrawsArray draws;
    gets = 0;
    try {
      kvarn::DrawsDownloadArchive(source, kind, 1, 100000, draws);
    } catch (const std::runtime_error&) {
      continue;
    }
    for (const kvarn::TDraw& d : draws)
      if (!ValidDraw(d)) __builtin_trap();
  }

  // The marker functions with markers taken from the page itself.
  const std::string_view ownView(own);
  const std::string_view open = ownView.substr(0, own.size() / 2);
  const std::string_view close = ownView.substr(own.size() / 2);
  try {
    kvarn::TextBetween(list, open, close);
    std::string rest = list;
    kvarn::TextBetweenCut(rest, open, close);
  } catch (const std::runtime_error&) {
  }
  if (!open.empty()) {
    std::string rest = list;
    for (int i = 0; i < 1000 && !rest.empty(); ++i) kvarn::TextNextBlock(rest, open);
  }
  for (const std::string& entry : kvarn::ParseProxyList(list)) {
    std::string server;
    int port = 0;
    if (kvarn::SplitProxyEntry(entry, server, port) && (port < 1 || port > 65535)) __builtin_trap();
  }
  return 0;
}
