// What the engine needs from the person in front of it. The Qt window implements it with real
// dialogs and the status bar; kvarn-cli and the tests implement it without a display.
#pragma once

#include <exception>
#include <string>
#include <vector>

namespace kvarn {

enum class TMsgKind { Error, Info, Warning };

// Status-bar panels of the main window, in order.
enum TStatusPanel : int {
  spDraws = 0,     // "Архив тиражей: %d"
  spNextDraw = 1,  // "Следующий тираж: %d"
  spResult = 2,    // result of the draw after the offset
  spCombs = 3,     // "Комбинаций: %d"
  spStakes = 4,    // "Ставок: %d"
  spRating = 5,    // "Рейтинг: %d"
  spMessage = 6,   // progress texts of long operations
  spCount = 7
};

class IHost {
 public:
  virtual ~IHost() = default;
  // The busy counter of this host's window: above zero while a long operation runs (the wait
  // cursor shows and commands are disabled). Enter/leave come in pairs through TBusyGuard.
  int BusyCount() const { return busy_; }
  // Texts keep "\r" as the line break; the shell turns it into what it shows.
  virtual void ShowMessage(TMsgKind kind, const std::string& caption, const std::string& text) = 0;
  // Yes/No question; true on Yes. `defaultNo` makes No the default button.
  virtual bool AskYesNo(const std::string& caption, const std::string& text, bool defaultNo) = 0;
  virtual void SetStatusText(int panel, const std::string& text) = 0;
  // Called when the busy counter leaves or returns to zero.
  virtual void BusyChanged(bool busy) = 0;
  // Lets the window paint and handle input during long work.
  virtual void ProcessEvents() = 0;

 private:
  friend class TBusyGuard;
  int busy_ = 0;
};

// Standard message boxes of the program.
void ShowError(IHost& host, const std::string& text);    // "Ошибка"
void ShowInfo(IHost& host, const std::string& text);     // "Информация"
void ShowWarning(IHost& host, const std::string& text);  // "Внимание!"
bool AskConfirm(IHost& host, const std::string& text, bool defaultNo = true);  // "Подтверждение"
bool AskWarning(IHost& host, const std::string& text, bool defaultNo = true);  // "Предупреждение"
// The question before records are deleted (one record, or `count` of them), No being the default.
bool AskDeleteRecords(IHost& host, int count);

// Runs `work`; a failure shows its text after `prefix` in the error box and gives false.
template <class F>
bool RunShown(IHost& host, F&& work, const std::string& prefix = {}) {
  try {
    work();
    return true;
  } catch (const std::exception& e) {
    ShowError(host, prefix + e.what());
    return false;
  }
}

// Enters the host's busy state for its life; leaves it also on failure.
class TBusyGuard {
 public:
  explicit TBusyGuard(IHost& host);
  ~TBusyGuard();
  TBusyGuard(const TBusyGuard&) = delete;
  TBusyGuard& operator=(const TBusyGuard&) = delete;

 private:
  IHost& host_;
};

// Writes a progress text into the message panel and lets the window paint; clears it on leave.
class TProgressText {
 public:
  TProgressText(IHost& host, const std::string& text);
  ~TProgressText();
  void Update(const std::string& text);

 private:
  IHost& host_;
};

// A host that shows nothing: messages are collected, questions take a fixed answer.
class TSilentHost : public IHost {
 public:
  struct TMessage {
    TMsgKind kind;
    std::string caption;
    std::string text;
  };
  void ShowMessage(TMsgKind kind, const std::string& caption, const std::string& text) override {
    messages.push_back({kind, caption, text});
  }
  bool AskYesNo(const std::string& caption, const std::string& text, bool) override {
    questions.push_back({TMsgKind::Warning, caption, text});
    return answer;
  }
  void SetStatusText(int panel, const std::string& text) override {
    if (panel >= 0 && panel < spCount) status[panel] = text;
  }
  void BusyChanged(bool) override {}
  void ProcessEvents() override {}

  std::vector<TMessage> messages;
  std::vector<TMessage> questions;
  std::string status[spCount];
  bool answer = false;
};

}  // namespace kvarn
