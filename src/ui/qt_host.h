// The host interface implemented with Qt: message boxes with the program's captions and icons,
// Yes/No questions, status-bar panels, the wait cursor of the busy state.
#pragma once

#include <QCoreApplication>
#include <QLabel>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "app/host.h"

namespace kvarn {

// "\r" is the line break of the program's texts.
QString DisplayText(const std::string& text);
QString Q(const std::string& utf8);
std::string S(const QString& text);

// Loads the toolkit's Russian texts into the application.
void InstallToolkitTranslation(QCoreApplication& app);

class TQtHost : public IHost {
 public:
  // What a message box shows, for a hook that replaces the boxes (automated runs of the window).
  // The hook gets the message and, for a question, returns the answer.
  struct TShown {
    bool question = false;
    TMsgKind kind = TMsgKind::Info;
    std::string caption;
    std::string text;
    bool defaultNo = false;
  };
  using TMessageHook = std::function<bool(const TShown&)>;

  explicit TQtHost(QWidget* owner, TMessageHook hook = {})
      : owner_(owner), hook_(std::move(hook)) {}

  void SetPanels(std::vector<QLabel*> panels) { panels_ = std::move(panels); }
  QString PanelText(int panel) const;

  void ShowMessage(TMsgKind kind, const std::string& caption, const std::string& text) override;
  bool AskYesNo(const std::string& caption, const std::string& text, bool defaultNo) override;
  void SetStatusText(int panel, const std::string& text) override;
  void BusyChanged(bool busy) override;
  void ProcessEvents() override;

  // Called after the busy state changes (the window re-runs its update rules).
  std::function<void()> OnBusyChanged;

  // Replaces the modal boxes of this host.
  void SetMessageHook(TMessageHook hook) { hook_ = std::move(hook); }

 private:
  QPointer<QWidget> owner_;
  TMessageHook hook_;
  std::vector<QLabel*> panels_;
};

}  // namespace kvarn
