// TTemplateMain: the generic lottery window. It assembles the pages (one class per tab, the right
// ones from the list in right_pages.cpp), the command set, the menus and the status bar, runs
// start-up and shutdown, and owns the workspace through which every operation reaches the engine.
// TFormMain adds the game's particulars.
#pragma once

#include <QLabel>
#include <QMainWindow>
#include <QSplitter>
#include <QTabWidget>
#include <QTimer>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/startup_switches.h"
#include "app/workspace.h"
#include "ui/commands.h"
#include "ui/page.h"
#include "ui/qt_host.h"
#include "ui/right_pages.h"
#include "ui/window_state.h"

namespace kvarn {

class TSharedKeys;
class THelpBook;
class TFormHelp;

struct TStartOptions {
  std::string dataDir;
  TStartSwitches switches;
  bool autoInit = true;  // arm the one-shot initialisation timer
  // Replaces the window's message boxes (automated runs); none shows real boxes.
  TQtHost::TMessageHook messageHook;
};

class TTemplateMain : public QMainWindow {
  Q_OBJECT
 public:
  explicit TTemplateMain(TStartOptions options, QWidget* parent = nullptr);
  ~TTemplateMain() override;

  TWorkspace& Workspace() { return *workspace_; }
  TCommandList& Commands() { return *commands_; }
  TQtHost& Host() { return host_; }
  TWindowStateStore& State() { return state_; }
  // The page of class P (the first, when several share a class).
  template <class P>
  P& Page() const {
    for (TPage* page : pages_)
      if (auto* p = qobject_cast<P*>(page)) return *p;
    throw std::logic_error("no such page");
  }
  TPage* RightPage(TRightTab tab) const { return rightPages_.at(static_cast<size_t>(tab)); }
  // True while the page's tab is the current one.
  bool IsPageShown(const TPage* page) const;
  QTabWidget& LeftTabs() { return *leftTabs_; }
  QTabWidget& RightTabs() { return *rightTabs_; }
  QString StatusText(int panel) const { return host_.PanelText(panel); }
  int ChannelSize() const { return workspace_->Config().ChannelSize; }
  const TGenerateConfig& GenerateParameters() const { return workspace_->Settings().Generate; }
  // The generation dialog's choice; stored and written at once when `save` is set.
  void SaveGenerateParameters(int mode, const std::string& parameters, bool save);
  // Repaints the lists that depend on the configuration (channel colours).
  void RepaintLists();
  // Names the menus asked for that the command set does not know (a fault of the menu lists).
  const std::vector<std::string>& UnknownMenuCommands() const { return unknownCommands_; }
  // The command a shared key runs with the focus on `focus`.
  std::string SharedKeyCommand(const QKeySequence& key, const QWidget* focus) const;

  // The one-shot initialisation; true when the program may keep running.
  bool Initialize();
  bool Initialized() const { return initialized_; }
  // Set when start-up decided that the program ends (refused instance, maintenance run).
  bool EndRequested() const { return endRequested_; }

  // Re-runs every command's update rule.
  void UpdateCommands();
  // After the archive, the offset or the settings changed: every right page refreshes (each
  // only while shown and its inputs changed, unless forced).
  void RefreshViews(bool force = false);
  // The help compiled into the program, built on first use, and its window (opened at a page).
  const THelpBook& HelpBook();
  void ShowHelp(const std::string& page);
  // The help page of the place that holds the focus: a left tab or the current right tab.
  std::string ContextHelpPage() const;
  // A long operation that can be stopped registers how; a close request during it asks whether
  // to stop it. Cleared with an empty function when the operation ends.
  void SetRunningStop(std::function<void()> stop) { runningStop_ = std::move(stop); }

 signals:
  void EndProgram();

 protected:
  // Creation, in order; derived windows call it from their constructor.
  void Create();
  virtual QString LotteryCaption() const = 0;
  virtual int LeftPanelDesignWidth() const { return 322; }
  virtual QStringList DrawsColumns() const = 0;
  virtual QStringList CombsColumns() const = 0;
  // Download of new draws from the operator's web archive.
  virtual void DownloadDraws() = 0;

  void closeEvent(QCloseEvent* e) override;

 private:
  void BuildLayout();
  void BuildStatusBar();
  void BuildMenus();
  void ShareKeys();
  // The command's action for a menu; an unknown name is noted and gives nothing.
  QAction* MenuAction(const std::string& name);
  void BindShellCommands();
  void BindViewSwitch(const char* command, const char* key, bool def,
                      std::function<void(bool)> apply = {});
  void ApplyTabSwitches();
  // System play on or off: its two stake commands come and go with the tab.
  void ShowSystemStakes(bool shown);
  void RestoreWindowState();
  void SaveWindowState();
  std::string ScreenSuffix() const;
  void RequestEnd();
  // The start-up help window, shown while the setting FirstRun is set.
  void ShowStartHelp();
  void BusyChanged();

  TStartOptions options_;
  TQtHost host_;
  std::unique_ptr<TWorkspace> workspace_;
  TWorkspace* wsPtr_ = nullptr;
  TWindowStateStore state_{wsPtr_};
  TCommandList* commands_ = nullptr;
  TSharedKeys* keys_ = nullptr;
  QSplitter* splitter_ = nullptr;
  QTabWidget* leftTabs_ = nullptr;
  QTabWidget* rightTabs_ = nullptr;
  // Every page, the left ones first; the right ones also by tab.
  std::vector<TPage*> pages_;
  std::vector<TPage*> rightPages_;
  std::vector<std::string> unknownCommands_;
  std::function<void()> runningStop_;
  std::unique_ptr<THelpBook> helpBook_;
  TFormHelp* helpWindow_ = nullptr;
  QTimer updateTimer_;
  bool initialized_ = false;
  bool endRequested_ = false;
  bool stateSaved_ = false;
  bool settingsLoaded_ = false;
  bool closeWhenIdle_ = false;
};

}  // namespace kvarn
