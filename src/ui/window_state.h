// The window-state file as the window uses it: the switches the engine also reads live in the
// workspace's record (read many times a second by the update rules); every change is written to
// the file at once through the workspace.
#pragma once

#include <memory>
#include <string>

#include "core/config.h"

namespace kvarn {

class TWorkspace;

class TWindowStateStore {
 public:
  explicit TWindowStateStore(TWorkspace*& ws) : ws_(ws) {}

  int Int(const std::string& key, int def) const;
  bool Bool(const std::string& key, bool def) const;
  std::string Text(const std::string& key, const std::string& def) const;
  // Failures are shown by the workspace.
  void SetInt(const std::string& key, int value);
  void SetBool(const std::string& key, bool value);
  void SetText(const std::string& key, const std::string& value);

  // Between these the writes gather in memory and reach the file once (the many sizes and
  // column widths written when the window closes).
  void BeginBatch();
  void EndBatch();

 private:
  TWorkspace*& ws_;
  std::unique_ptr<TIniFile> batch_;
};

}  // namespace kvarn
