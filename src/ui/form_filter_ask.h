// What a filter test or a value search asks before it runs: how many of the newest draws, and
// the direction of the filter or the budget of combinations.
#pragma once

#include <QDialog>
#include <cstdint>

QT_BEGIN_NAMESPACE
class QRadioButton;
class QSpinBox;
QT_END_NAMESPACE

namespace kvarn {

struct TFilterAsk {
  int Draws = 100;
  bool Exclude = false;
  int Budget = 10000;
};

class TFormFilterAsk : public QDialog {
  Q_OBJECT
 public:
  enum TMode { amTest, amSearch };
  TFormFilterAsk(TMode mode, const TFilterAsk& values, QWidget* parent = nullptr);
  TFilterAsk Result() const;

  QSpinBox* DrawsField() const { return draws_; }
  QSpinBox* BudgetField() const { return budget_; }
  QRadioButton* DeleteButton() const { return delete_; }

 private:
  TMode mode_;
  TFilterAsk values_;
  QSpinBox* draws_ = nullptr;
  QSpinBox* budget_ = nullptr;
  QRadioButton* keep_ = nullptr;
  QRadioButton* delete_ = nullptr;
};

}  // namespace kvarn
