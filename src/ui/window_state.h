// The window-state file as the window uses it: the switches the engine also reads live in the
// workspace's record (read many times a second by the update rules); every change is written to
// the file at once through the workspace.
#pragma once

#include <string>

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

 private:
  TWorkspace*& ws_;
};

}  // namespace kvarn
