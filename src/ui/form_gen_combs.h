// "Создание нового списка комбинаций": the generation mode, my numbers or the file to load, and
// whether these parameters become the stored default.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QToolButton>
#include <string>

namespace kvarn {

class TTemplateMain;

class TFormGenCombs : public QDialog {
  Q_OBJECT
 public:
  TFormGenCombs(TTemplateMain& main, QWidget* parent);
  int Mode() const { return mode_->currentIndex(); }
  std::string Parameters() const;
  bool SaveAsDefault() const { return save_->isChecked(); }

  QComboBox* ModeBox() const { return mode_; }
  QLineEdit* ParamEdit() const { return param_; }
  QCheckBox* SaveBox() const { return save_; }

 private:
  void ModeChanged();
  QComboBox* mode_ = nullptr;
  QLineEdit* param_ = nullptr;
  QToolButton* browse_ = nullptr;
  QCheckBox* save_ = nullptr;
};

}  // namespace kvarn
