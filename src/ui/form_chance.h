// "Проверка на случайность": the chance test of the selected rating rows as a table, and one
// plain line that says what it means.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QTableWidget>
#include <vector>

#include "stakes/rating_stakes.h"

namespace kvarn {

class TFormChance : public QDialog {
  Q_OBJECT
 public:
  TFormChance(const std::vector<TChanceRow>& rows, QWidget* parent);

  QTableWidget* Table() const { return table_; }
  QLabel* Summary() const { return summary_; }

 private:
  QTableWidget* table_ = nullptr;
  QLabel* summary_ = nullptr;
};

}  // namespace kvarn
