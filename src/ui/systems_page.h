// The "Системы" page: the systems of the local store with the buttons of the system commands.
// The online catalogue's download, publishing and deleting are shown but stay disabled.
#pragma once

#include <QTableView>

#include "stakes/system_play.h"
#include "ui/form_system.h"
#include "ui/page.h"
#include "ui/systems_model.h"

namespace kvarn {

class TSystemsPage : public TPage {
  Q_OBJECT
 public:
  TSystemsPage(TTemplateMain& main, QWidget* parent);

  void BindCommands() override;
  void RestoreState(const TWindowStateStore& st) override;
  void SaveState(TWindowStateStore& st) const override;

  QTableView* List() const { return list_; }
  TSystemsModel* Model() const { return model_; }
  // The focused system's index in the list, -1 when none.
  int FocusedSystem() const;
  // "Импорт" with the file already chosen.
  void ImportFile(const QString& path);

 private:
  // Opens the properties dialog; on OK the system goes into the store.
  void EditSystem(TFormSystem::TMode mode, const tSystemData& data, const std::string& replaces);
  void ShowProperties();
  void PlaySystem(TSystemPlayMode mode);

  QTableView* list_ = nullptr;
  TSystemsModel* model_ = nullptr;
};

// The tooltip of the commands that need the online catalogue.
extern const char* const SystemsCatalogueMissing;

}  // namespace kvarn
