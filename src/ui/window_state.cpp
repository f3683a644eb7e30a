#include "ui/window_state.h"

#include "app/workspace.h"
#include "core/text.h"

namespace kvarn {

int TWindowStateStore::Int(const std::string& key, int def) const {
  if (!ws_) return def;
  if (auto f = WindowStateIntField(key)) return ws_->WindowState().*f;
  if (auto f = WindowStateBoolField(key)) return (ws_->WindowState().*f) ? 1 : 0;
  return ws_->WindowStateReadInt(key, def);
}

bool TWindowStateStore::Bool(const std::string& key, bool def) const {
  if (!ws_) return def;
  if (auto f = WindowStateBoolField(key)) return ws_->WindowState().*f;
  return Int(key, def ? 1 : 0) != 0;
}

std::string TWindowStateStore::Text(const std::string& key, const std::string& def) const {
  if (!ws_) return def;
  return ws_->WindowStateReadString(key, def);
}

void TWindowStateStore::SetInt(const std::string& key, int value) {
  if (!ws_) return;
  if (auto f = WindowStateIntField(key)) ws_->WindowState().*f = value;
  if (auto f = WindowStateBoolField(key)) ws_->WindowState().*f = value != 0;
  if (batch_)
    batch_->WriteInteger(WindowStateSection, key, value);
  else
    ws_->WindowStateWriteInt(key, value);
}

void TWindowStateStore::SetBool(const std::string& key, bool value) {
  if (!ws_) return;
  if (auto f = WindowStateBoolField(key)) ws_->WindowState().*f = value;
  if (auto f = WindowStateIntField(key)) ws_->WindowState().*f = value ? 1 : 0;
  if (batch_)
    batch_->WriteBool(WindowStateSection, key, value);
  else
    ws_->WindowStateWriteBool(key, value);
}

void TWindowStateStore::SetText(const std::string& key, const std::string& value) {
  if (!ws_) return;
  if (batch_)
    batch_->WriteString(WindowStateSection, key, value);
  else
    ws_->WindowStateWriteString(key, value);
}

void TWindowStateStore::BeginBatch() {
  if (!ws_ || batch_) return;
  auto ini = std::make_unique<TIniFile>();
  try {
    ini->Load(ws_->DataPath(WindowStateFileName));
  } catch (const std::exception& e) {
    // Unreadable: the keys go to the file one by one, each failure shown.
    ShowError(ws_->Host(), StrFormat("Ошибка записи параметров программы!\r\r%s", e.what()));
    return;
  }
  batch_ = std::move(ini);
}

void TWindowStateStore::EndBatch() {
  if (!batch_) return;
  std::unique_ptr<TIniFile> ini = std::move(batch_);
  try {
    ini->Save(ws_->DataPath(WindowStateFileName));
  } catch (const std::exception& e) {
    ShowError(ws_->Host(), StrFormat("Ошибка записи параметров программы!\r\r%s", e.what()));
  }
}

}  // namespace kvarn
