// What the pages of the analysis views with a window of draws share: the bar with the window's
// length and the page's commands, and the pair of commands that keep or delete the combinations
// holding the numbers selected in the page's grid.
#pragma once

#include <QSpinBox>
#include <QSplitter>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>
#include <functional>

#include "ui/view_controls.h"

namespace kvarn {

class TTemplateMain;

// "Тиражей:" with the length field, the page's calculate command, then its two filter commands
// between separators.
void AddLenBar(TTemplateMain& main, QToolBar* bar, QSpinBox* len, const char* calc,
               const char* include, const char* exclude);

// The length field of the page's window: Enter takes a value in range into the workspace through
// `set` and, when the archive has draws and nothing long runs, recalculates the page through
// `calc`.
QSpinBox* MakeViewLenField(TTemplateMain& main, QWidget* page, const char* name, int value,
                           std::function<void(int len)> set, std::function<void()> calc);

// The page's vertical splitter below its bar, filling the rest of the page; nothing collapses.
QSplitter* AddViewSplitter(QWidget* page, QVBoxLayout* column, const char* name);

// `include` and `exclude` are enabled while `visible` holds, the list has combinations and the
// grid has a selection; they run `filter` with the selected rectangle in the busy state. The
// commands follow the grid's selection.
void BindGridFilters(TTemplateMain& main, QTableView* grid, const char* include,
                     const char* exclude, std::function<bool()> visible,
                     std::function<void(const TCellRect& rect, bool exclude)> filter);

}  // namespace kvarn
