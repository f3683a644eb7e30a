// The dialog "Менеджер избранных методов расчета статистики": a tree of group headings and
// methods over the engine's working copy (TFavouritesTree), the commands that tick, rename and
// exchange names, and the three display options. The registry changes only on OK.
#pragma once

#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QTreeWidget>
#include <functional>
#include <map>
#include <string>

#include "app/host.h"
#include "stats/favourites.h"

namespace kvarn {

class TFormFavourites : public QDialog {
  Q_OBJECT
 public:
  // host: the window's, for its busy state and messages. startDir: where the name files'
  // dialogs open. showInfo: the description window of an entry.
  TFormFavourites(IHost& host, TStatList& list, QString startDir,
                  std::function<void(int entry)> showInfo, QWidget* parent = nullptr);

  // Shows the dialog; on OK applies the edits to the registry and returns true.
  bool EditFavourites();

  QTreeWidget* Tree() const { return tree_; }
  QAction* Command(const char* name) const { return commands_.at(name); }
  QLabel* CountLabel() const { return count_; }
  QCheckBox* SortOnName() const { return sortOnName_; }
  QCheckBox* ShowGroupName() const { return showGroupName_; }
  QCheckBox* ShowFlags() const { return showFlags_; }
  const TFavouritesTree& Model() const { return model_; }

  // The dialog's icons by TFavouritesTree's icon number (not ticked, ticked, heading).
  static QIcon NodeIcon(int icon);

 protected:
  bool eventFilter(QObject* o, QEvent* e) override;

 private:
  QAction* AddCommand(const char* name, const char* caption, const char* hint,
                      void (TFormFavourites::*run)());
  void Fill();
  void Repaint();
  void UpdateCommands();
  TFavouritesPos Selected() const;

  void CheckNone();
  void CheckAll();
  void GroupNone();
  void GroupAll();
  void Rename();
  void ResetName();
  void Info();
  void NamesImport();
  void NamesExport();
  void Clicked(QTreeWidgetItem* item);

  IHost& host_;
  TFavouritesTree model_;
  QString startDir_;
  std::function<void(int)> showInfo_;
  QTreeWidget* tree_;
  QLabel* count_;
  QCheckBox* sortOnName_;
  QCheckBox* showGroupName_;
  QCheckBox* showFlags_;
  std::map<std::string, QAction*> commands_;
};

}  // namespace kvarn
