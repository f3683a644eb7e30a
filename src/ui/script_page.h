// The "Сценарий" page: the scenario list with its nine columns, the buttons of its commands and
// the tab's status bar ("Строк: %d" and the panels a run of the scenario fills). The page binds
// the editing commands; the run commands are bound by its run control.
#pragma once

#include <QLabel>
#include <QTableView>
#include <optional>
#include <string>
#include <vector>

#include "ui/form_filter.h"
#include "ui/page.h"
#include "ui/script_run_control.h"
#include "ui/script_model.h"

namespace kvarn {

class TScriptPage : public TPage {
  Q_OBJECT
 public:
  // The tab's status panels, in order.
  enum TPanel : int { spLines = 0, spCycle, spLine, spStakesMade, spRunText, spPanelCount };

  TScriptPage(TTemplateMain& main, QWidget* parent);

  void BindCommands() override;
  // The list takes the scenario anew and "Строк: %d" is shown.
  void Refresh(bool force) override;
  void RestoreState(const TWindowStateStore& st) override;
  void SaveState(TWindowStateStore& st) const override;

  QTableView* List() const { return list_; }
  TScriptModel* Model() const { return model_; }
  TScriptRunControl& RunControl() const { return *run_; }
  QLabel* Panel(int panel) const { return panels_.at(static_cast<size_t>(panel)); }
  std::vector<int> SelectedRows() const;
  int FocusedRow() const;
  // Makes the row the only selected one, focused and in view.
  void SelectOnly(int row);
  // What the filter editor takes from the window: the statistics tab's choice and the weights.
  TFilterEditorContext FilterContext();

 private:
  bool FocusedIsLine() const;
  // The line editor on `line`; the line it returns, or nothing when cancelled.
  std::optional<std::string> EditLine(const QString& title, const std::string& line);

  QTableView* list_ = nullptr;
  TScriptModel* model_ = nullptr;
  std::vector<QLabel*> panels_;
  TScriptRunControl* run_ = nullptr;
};

}  // namespace kvarn
