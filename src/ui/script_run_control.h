// The run commands of the scenario in the window: "Прогноз", "Тест" with its count dialog, "Стоп"
// with its confirmation and "Удалить журналы выполнения сценариев". While a run lasts the draws,
// combinations and statistics tabs and the scenario list are disabled, the tab's panels and the
// statistics tab follow the run, and closing the window stops it first.
#pragma once

#include <QObject>
#include <QWidget>
#include <functional>
#include <optional>
#include <string>

#include "app/scenario_runner.h"

namespace kvarn {

class TTemplateMain;

class TScriptRunControl : public QObject {
  Q_OBJECT
 public:
  // What the scenario tab gives the run.
  struct THooks {
    std::function<TScriptLines()> Lines;
    QWidget* List = nullptr;  // disabled while running
    std::function<void(int row, bool selected)> SelectLine;
    std::function<void(TScriptPanel panel, const QString& text)> Panel;
  };

  TScriptRunControl(TTemplateMain& main, THooks hooks, QObject* parent);

  // Binds the four commands.
  void BindCommands();
  TScenarioRunner& Runner() { return runner_; }

  // The count of a test (1..max) or nothing when cancelled; a dialog unless a test sets its own.
  std::function<std::optional<int>(int max)> AskCount;
  // Opens a finished run's log; the desktop's default viewer unless a test sets its own.
  std::function<void(const std::string& path)> OpenLog;

 private:
  void RunChanged();
  void ShowStatSelection(const std::vector<int>& rows);
  std::optional<int> AskCountDialog(int max);

  TTemplateMain& main_;
  THooks hooks_;
  TScenarioRunner runner_;
};

}  // namespace kvarn
