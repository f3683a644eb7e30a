// What the owner-data lists share: the view's set-up, the column layout kept in the window-state
// file, the selected rows and the header texts.
#pragma once

#include <QStringList>
#include <QTableView>
#include <QVariant>
#include <string>
#include <vector>

namespace kvarn {

class TWindowStateStore;

// Rows select whole, several at a time, uniform row heights, the given column widths, and the
// commands added to the view as its context menu.
void SetupListView(QTableView* view, const std::vector<int>& widths);
void SaveListLayout(const QTableView* view, const std::string& name, TWindowStateStore& st);
void RestoreListLayout(QTableView* view, const std::string& name, const TWindowStateStore& st);

// The selected rows in ascending order, read from the selection ranges (fast for a whole list).
std::vector<int> SelectedRows(const QTableView* view);

// Widens each column to its contents when they need more room; a column the person made wider
// keeps its width.
void WidenColumnsToContents(QTableView* view);

// The header of a list whose columns have the given captions, centred.
QVariant ListHeaderData(const QStringList& headers, int section, Qt::Orientation o, int role);

}  // namespace kvarn
