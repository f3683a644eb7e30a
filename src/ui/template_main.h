// TTemplateMain: the generic lottery window. It assembles the pages (one class per tab), the
// command set, the menus and the status bar, runs start-up and shutdown, and owns the workspace
// through which every operation reaches the engine. TFormMain adds the game's particulars.
#pragma once

#include <QLabel>
#include <QMainWindow>
#include <QSplitter>
#include <QTabWidget>
#include <QTimer>
#include <memory>
#include <string>
#include <vector>

#include "app/startup_switches.h"
#include "app/workspace.h"
#include "ui/commands.h"
#include "ui/qt_host.h"
#include "ui/window_state.h"

namespace kvarn {

class TDrawsPage;
class TCombsPage;
class TStatsPage;

struct TStartOptions {
  std::string dataDir;
  TStartSwitches switches;
  bool autoInit = true;  // arm the one-shot initialisation timer
};

// Indexes of the right page control's tabs, in their order.
enum TRightTab : int {
  rtStats = 0,
  rtGraphs,
  rtCard,
  rtLayout,
  rtWeek,
  rtStakes,
  rtRating,
  rtTables,
  rtSystems,
  rtScript,
  rtCount
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
  TDrawsPage& DrawsPage() { return *drawsPage_; }
  TCombsPage& CombsPage() { return *combsPage_; }
  TStatsPage& StatsPage() { return *statsPage_; }
  QTabWidget& LeftTabs() { return *leftTabs_; }
  QTabWidget& RightTabs() { return *rightTabs_; }
  QWidget* RightPage(TRightTab tab) const { return rightPages_[tab]; }
  QString StatusText(int panel) const { return host_.PanelText(panel); }
  int ChannelSize() const { return workspace_->Config().ChannelSize; }
  const TGenerateConfig& GenerateParameters() const { return workspace_->Settings().Generate; }
  // The generation dialog's choice; stored and written at once when `save` is set.
  void SaveGenerateParameters(int mode, const std::string& parameters, bool save);
  // Repaints the lists that depend on the configuration (channel colours).
  void RepaintLists();

  // The one-shot initialisation; true when the program may keep running.
  bool Initialize();
  bool Initialized() const { return initialized_; }
  // Set when start-up decided that the program ends (refused instance, maintenance run).
  bool EndRequested() const { return endRequested_; }

  // Re-runs every command's update rule.
  void UpdateCommands();
  // After the archive or the offset changed: every dependent view refreshes.
  void RefreshViews();

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
  void BindShellCommands();
  void BindViewSwitch(const char* command, const char* key, bool def,
                      std::function<void(bool)> apply = {});
  void ApplyTabSwitches();
  void RestoreWindowState();
  void SaveWindowState();
  std::string ScreenSuffix() const;
  void RequestEnd();
  // The start-up help window, shown while the setting FirstRun is set.
  void ShowStartHelp();

  TStartOptions options_;
  TQtHost host_;
  std::unique_ptr<TWorkspace> workspace_;
  TWorkspace* wsPtr_ = nullptr;
  TWindowStateStore state_{wsPtr_};
  TCommandList* commands_ = nullptr;
  QSplitter* splitter_ = nullptr;
  QTabWidget* leftTabs_ = nullptr;
  QTabWidget* rightTabs_ = nullptr;
  QWidget* rightPages_[rtCount] = {};
  QString rightCaptions_[rtCount];
  TDrawsPage* drawsPage_ = nullptr;
  TCombsPage* combsPage_ = nullptr;
  TStatsPage* statsPage_ = nullptr;
  QTimer updateTimer_;
  bool initialized_ = false;
  bool endRequested_ = false;
  bool stateSaved_ = false;
  bool settingsLoaded_ = false;
};

}  // namespace kvarn
