// The information window "Подробная информация": one draw or one combination on a card coloured
// by channel, and the value of every listed graph method for its five numbers.
#pragma once

#include <QDialog>
#include <QSpinBox>
#include <QTableWidget>
#include <QTreeWidget>
#include <optional>
#include <string>

#include "core/lottery.h"

namespace kvarn {

class TWorkspace;
class TTemplateMain;

class TFormInfo : public QDialog {
  Q_OBJECT
 public:
  // drawNumber -1 stands for a combination; `last` is the archive index the methods look back
  // from.
  TFormInfo(TWorkspace& ws, int drawNumber, const std::optional<std::string>& dateText,
            const TComb& numbers, bool sorted, int last, QWidget* parent = nullptr);

  // Builds the window and shows it modally.
  static void ShowInfo(TWorkspace& ws, int drawNumber, const std::optional<std::string>& dateText,
                       const TComb& numbers, bool sorted, int last, QWidget* parent);

  QTableWidget* Card() const { return card_; }
  QSpinBox* ColsField() const { return cols_; }
  QTreeWidget* Props() const { return props_; }
  // The number a card cell stands for, 0 beyond 36.
  int NumberOfCell(int row, int col) const;

 private:
  void FillCard();
  // Resizes the window so that the card and the property names show whole.
  void FitToContents();
  void FillProps(TWorkspace& ws, int drawNumber, const std::optional<std::string>& dateText,
                 bool sorted, int last);

  TComb numbers_;
  int channelSize_;
  QTableWidget* card_ = nullptr;
  QSpinBox* cols_ = nullptr;
  QTreeWidget* props_ = nullptr;
};

// DrawsInfo (and a double click on a draw row) and CombsInfo.
void BindInfoCommands(TTemplateMain& main);

}  // namespace kvarn
