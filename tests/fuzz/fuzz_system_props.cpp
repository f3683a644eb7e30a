// A system's properties file: read over what a system file's name tells, written back and read
// again; the second text must equal the first written one, and the fields must survive it (a
// system shown, edited and stored again must not change by being stored).
#include <cstdint>
#include <stdexcept>
#include <string>

#include "stakes/system_store.h"

namespace {

kvarn::tSystemInfo FromName() {
  kvarn::tSystemInfo info;
  info.Id = 12;
  info.NumsCount = 7;
  info.BlockLen = 3;
  info.CombsCount = 4;
  info.Title = "5-07-3_0012";
  return info;
}

bool SameFields(const kvarn::tSystemInfo& a, const kvarn::tSystemInfo& b) {
  return a.Id == b.Id && a.NumsCount == b.NumsCount && a.BlockLen == b.BlockLen &&
         a.CombsCount == b.CombsCount && a.Title == b.Title && a.Author == b.Author &&
         a.Owner == b.Owner && a.Description == b.Description && a.Created == b.Created &&
         a.Downloads == b.Downloads && a.LastDownload == b.LastDownload && a.URL == b.URL;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  kvarn::tSystemInfo info = FromName();
  try {
    kvarn::SystemPropsRead(std::string(reinterpret_cast<const char*>(data), size), info);
  } catch (const std::runtime_error&) {
    return 0;
  }
  const std::string text = kvarn::SystemPropsText(info);
  kvarn::tSystemInfo again = FromName();
  kvarn::SystemPropsRead(text, again);
  if (kvarn::SystemPropsText(again) != text || !SameFields(again, info)) __builtin_trap();
  return 0;
}
