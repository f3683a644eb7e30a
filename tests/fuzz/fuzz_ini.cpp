// The configuration and window-state files: every value read with its defaults, and a saved
// text reads back to the same values.
#include <cstdint>
#include <stdexcept>
#include <string>

#include "core/config.h"

namespace {

struct TEverything {
  kvarn::TConfigFile Config;
  kvarn::TWindowState State;
};

TEverything ReadAll(const kvarn::TIniFile& ini) {
  TEverything all;
  try {
    kvarn::ConfigRead(ini, all.Config);
  } catch (const std::runtime_error&) {
  }
  kvarn::ProxyRead(ini, all.Config.Proxy);
  kvarn::DownloadRead(ini, all.Config.Download);
  try {
    kvarn::WindowStateReadAll(ini, all.State);
  } catch (const std::runtime_error&) {
  }
  return all;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  kvarn::TIniFile ini;
  try {
    ini.LoadText(std::string(reinterpret_cast<const char*>(data), size));
  } catch (const std::runtime_error&) {
    return 0;
  }
  const TEverything all = ReadAll(ini);
  kvarn::ConfigKeyValues(all.Config);

  // The values written by this program must read back as they were written.
  kvarn::TIniFile out;
  kvarn::ConfigWriteData(out, all.Config.Data);
  kvarn::ConfigWriteShredding(out, all.Config.Shredding);
  kvarn::ConfigWriteGenerate(out, all.Config.Generate);
  kvarn::ConfigWriteProxy(out, all.Config.Proxy);
  kvarn::ConfigWriteDownload(out, all.Config.Download);
  kvarn::WindowStateWriteAll(out, all.State);
  const std::string text = out.SaveText();
  kvarn::TIniFile back;
  back.LoadText(text);
  const TEverything again = ReadAll(back);
  kvarn::TIniFile out2;
  kvarn::ConfigWriteData(out2, again.Config.Data);
  kvarn::ConfigWriteShredding(out2, again.Config.Shredding);
  kvarn::ConfigWriteGenerate(out2, again.Config.Generate);
  kvarn::ConfigWriteProxy(out2, again.Config.Proxy);
  kvarn::ConfigWriteDownload(out2, again.Config.Download);
  kvarn::WindowStateWriteAll(out2, again.State);
  if (out2.SaveText() != text) __builtin_trap();
  return 0;
}
