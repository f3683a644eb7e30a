// Controls the analysis pages share: the length fields of their windows (Enter takes a value in
// range), the buttons that run commands, the grids of cells and the selected rectangle.
#pragma once

#include <QAction>
#include <QColor>
#include <QImage>
#include <QSpinBox>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <functional>

namespace kvarn {

// A window length 1..2147483647; `entered` runs on Enter or Return when the typed text is a
// value in range (the field keeps its value otherwise).
QSpinBox* MakeLenField(QWidget* parent, const char* name, const char* hint, int value,
                       std::function<void()> entered);

// A button that shows and runs a command (its caption, state and check mark follow the command).
QToolButton* CommandButton(QWidget* parent, QAction* action);

// The row of controls at the top of a page: captions as text, and what does not fit behind the
// bar's arrow, so that a narrow window never has to give the page more room.
QToolBar* MakePageBar(QWidget* parent);

// A grid of cells: one rectangle of cells is selected, the row heights are uniform.
void SetupCellGrid(QTableView* view, int cellWidth, int cellHeight);

// The selected rectangle in model rows and columns; false when nothing is selected.
struct TCellRect {
  int top = 0, left = 0, bottom = -1, right = -1;
};
bool SelectedRect(const QTableView* view, TCellRect& rect);

// A square point marker of a line series, filled, with an outline of its own colour.
QImage MarkerImage(QColor outline, QColor fill, int size);

}  // namespace kvarn
