#include "app/host.h"

#include "core/text.h"

namespace kvarn {

void ShowError(IHost& host, const std::string& text) {
  host.ShowMessage(TMsgKind::Error, "Ошибка", text);
}
void ShowInfo(IHost& host, const std::string& text) {
  host.ShowMessage(TMsgKind::Info, "Информация", text);
}
void ShowWarning(IHost& host, const std::string& text) {
  host.ShowMessage(TMsgKind::Warning, "Внимание!", text);
}
bool AskConfirm(IHost& host, const std::string& text, bool defaultNo) {
  return host.AskYesNo("Подтверждение", text, defaultNo);
}
bool AskWarning(IHost& host, const std::string& text, bool defaultNo) {
  return host.AskYesNo("Предупреждение", text, defaultNo);
}

bool AskDeleteRecords(IHost& host, int count) {
  return AskWarning(host,
                    count == 1 ? std::string("Удалить выделенную запись?")
                               : StrFormat("Удалить все выделенные записи (всего будет удалено %d "
                                           "записи(ей))?",
                                           count),
                    true);
}

TBusyGuard::TBusyGuard(IHost& host) : host_(host) {
  if (host_.busy_++ == 0) host_.BusyChanged(true);
}

TBusyGuard::~TBusyGuard() {
  if (--host_.busy_ == 0) host_.BusyChanged(false);
}

TProgressText::TProgressText(IHost& host, const std::string& text) : host_(host) {
  Update(text);
}

TProgressText::~TProgressText() {
  host_.SetStatusText(spMessage, std::string());
}

void TProgressText::Update(const std::string& text) {
  host_.SetStatusText(spMessage, text);
  host_.ProcessEvents();
}

}  // namespace kvarn
