#include "ui/list_view.h"

#include <QHeaderView>
#include <algorithm>
#include <cstdio>

#include "core/text.h"
#include "ui/window_state.h"

namespace kvarn {

void SetupListView(QTableView* view, const std::vector<int>& widths) {
  view->setSelectionBehavior(QAbstractItemView::SelectRows);
  view->setSelectionMode(QAbstractItemView::ExtendedSelection);
  view->setAlternatingRowColors(false);
  view->setShowGrid(true);
  view->setWordWrap(false);
  // Arrows move in the list; Tab goes on to the next control of the window.
  view->setTabKeyNavigation(false);
  view->verticalHeader()->hide();
  // Uniform row heights: the view never measures rows it does not show.
  view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 4);
  view->horizontalHeader()->setHighlightSections(false);
  view->horizontalHeader()->setStretchLastSection(false);
  view->horizontalHeader()->setMinimumSectionSize(16);
  for (size_t i = 0; i < widths.size(); ++i) view->setColumnWidth(static_cast<int>(i), widths[i]);
  view->setContextMenuPolicy(Qt::ActionsContextMenu);
}

void SaveListLayout(const QTableView* view, const std::string& name, TWindowStateStore& st) {
  const QHeaderView* h = view->horizontalHeader();
  st.SetBool(name + ".GridLines", view->showGrid());
  st.SetBool(name + ".MultiSelect", view->selectionMode() == QAbstractItemView::ExtendedSelection);
  st.SetInt(name + ".SortType", 0);
  for (int i = 0; i < h->count(); ++i)
    st.SetText(StrFormat("%s.Column%d", name.c_str(), i),
               StrFormat("%d,%d", h->sectionSize(i), h->visualIndex(i)));
}

void RestoreListLayout(QTableView* view, const std::string& name, const TWindowStateStore& st) {
  QHeaderView* h = view->horizontalHeader();
  for (int i = 0; i < h->count(); ++i) {
    std::string v = st.Text(StrFormat("%s.Column%d", name.c_str(), i), "");
    int width = 0, pos = 0;
    if (std::sscanf(v.c_str(), "%d,%d", &width, &pos) >= 1 && width > 0 && width < 2000)
      h->resizeSection(i, width);
  }
}

std::vector<int> SelectedRows(const QTableView* view) {
  std::vector<int> rows;
  if (!view->selectionModel() || !view->model()) return rows;
  const QItemSelection sel = view->selectionModel()->selection();
  const int count = view->model()->rowCount();
  if (sel.isEmpty() || count == 0) return rows;
  std::vector<bool> mark(static_cast<size_t>(count), false);
  for (const QItemSelectionRange& r : sel)
    for (int i = std::max(0, r.top()); i <= std::min(count - 1, r.bottom()); ++i)
      mark[static_cast<size_t>(i)] = true;
  for (int i = 0; i < count; ++i)
    if (mark[static_cast<size_t>(i)]) rows.push_back(i);
  return rows;
}

void WidenColumnsToContents(QTableView* view) {
  QHeaderView* h = view->horizontalHeader();
  for (int c = 0; c < h->count(); ++c) {
    const int wanted = std::max(static_cast<const QAbstractItemView*>(view)->sizeHintForColumn(c),
                                h->sectionSizeHint(c));
    if (wanted > h->sectionSize(c)) h->resizeSection(c, wanted);
  }
}

QVariant ListHeaderData(const QStringList& headers, int section, Qt::Orientation o, int role) {
  if (o != Qt::Horizontal || section < 0 || section >= headers.size()) return {};
  if (role == Qt::DisplayRole) return headers[section];
  if (role == Qt::TextAlignmentRole) return int(Qt::AlignCenter);
  return {};
}

}  // namespace kvarn
