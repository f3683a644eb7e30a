// "Элемент сценария": one scenario line — the comment, the options and the seven filter texts,
// each of which can be edited in the filter editor.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QSpinBox>
#include <QToolButton>
#include <array>
#include <functional>
#include <string>

#include "scenario/script_line.h"
#include "ui/form_filter.h"

namespace kvarn {

class TFormScript : public QDialog {
  Q_OBJECT
 public:
  // title: "Создание новой строки" or "Редактирование строки"; an empty line opens with the
  // defaults, the count taken from defaultExclude.
  TFormScript(const QString& title, const std::string& line, int defaultExclude,
              const TFilterEditorContext& filters, QWidget* parent);
  // The line rebuilt from the controls; the filter fields are written as typed.
  std::string Line() const;
  // The filter editor on field i (0..6); the field is rewritten on OK.
  void EditFilter(int i);

  QLineEdit* CommentEdit() const { return comment_; }
  QComboBox* SourceBox() const { return source_; }
  QSpinBox* ExcludeEdit() const { return exclude_; }
  QComboBox* ModeBox() const { return mode_; }
  QCheckBox* ClearStakesBox() const { return clear_; }
  QCheckBox* NewOnlyBox() const { return newOnly_; }
  QLineEdit* FilterEdit(int i) const { return filter_[static_cast<size_t>(i)]; }
  QToolButton* FilterButton(int i) const { return button_[static_cast<size_t>(i)]; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  TFilterEditorContext filters_;
  QLineEdit* comment_ = nullptr;
  QComboBox* source_ = nullptr;
  QSpinBox* exclude_ = nullptr;
  QComboBox* mode_ = nullptr;
  QCheckBox* clear_ = nullptr;
  QCheckBox* newOnly_ = nullptr;
  std::array<QLineEdit*, ScriptFilterCount> filter_{};
  std::array<QToolButton*, ScriptFilterCount> button_{};
};

}  // namespace kvarn
