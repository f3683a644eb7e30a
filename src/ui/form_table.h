// "Добавление регулярной ставки": the comment, the base of the shift (own start combination or
// the previous draw), the start combination and the step. OK closes only when the workspace's
// checks accept the input; the regulars to create are then in Result().
#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <functional>
#include <vector>

#include "app/host.h"
#include "stakes/regular_input.h"

namespace kvarn {

class TFormTable : public QDialog {
  Q_OBJECT
 public:
  using TCheck = std::function<TRegularsCreation(const TRegularInput&)>;
  TFormTable(IHost& host, const std::vector<TSelectedComb>& selected, TCheck check,
             QWidget* parent);
  const TRegularsArray& Result() const { return result_; }

  QLineEdit* CommentField() const { return comment_; }
  QRadioButton* OwnCombButton() const { return useMyComb_; }
  QRadioButton* LastDrawButton() const { return useLastDraw_; }
  QLineEdit* StartField() const { return start_; }
  QSpinBox* StepField() const { return step_; }

  void accept() override;

 private:
  // The start field is typed in only with the own combination and at most one selected row.
  void UpdateStartField();

  IHost& host_;
  size_t selectedCount_;
  TCheck check_;
  QString typedStart_;
  TRegularsArray result_;
  QLineEdit* comment_ = nullptr;
  QRadioButton* useMyComb_ = nullptr;
  QRadioButton* useLastDraw_ = nullptr;
  QLineEdit* start_ = nullptr;
  QSpinBox* step_ = nullptr;
};

}  // namespace kvarn
