#include "ui/view_controls.h"

#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <algorithm>

#include "app/views_state.h"

namespace kvarn {

namespace {
class TEnterFilter : public QObject {
 public:
  TEnterFilter(QSpinBox* box, std::function<void()> entered)
      : QObject(box), box_(box), entered_(std::move(entered)) {}
  bool eventFilter(QObject* o, QEvent* e) override {
    if (o == box_ && e->type() == QEvent::KeyPress) {
      const int key = static_cast<QKeyEvent*>(e)->key();
      if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        // A value outside the range is not taken: the field shows its last good value again.
        if (box_->hasAcceptableInput()) {
          box_->interpretText();
          if (entered_) entered_();
        } else {
          box_->setValue(box_->value());
        }
        return true;
      }
    }
    return false;
  }

 private:
  QSpinBox* box_;
  std::function<void()> entered_;
};
}  // namespace

QSpinBox* MakeLenField(QWidget* parent, const char* name, const char* hint, int value,
                       std::function<void()> entered) {
  auto* s = new QSpinBox(parent);
  s->setObjectName(QString::fromUtf8(name));
  s->setToolTip(QString::fromUtf8(hint));
  s->setRange(ViewLenMin, ViewLenMax);
  s->setValue(value);
  s->setKeyboardTracking(false);
  s->setMinimumWidth(s->fontMetrics().horizontalAdvance(QStringLiteral("0000000")) + 30);
  s->installEventFilter(new TEnterFilter(s, std::move(entered)));
  return s;
}

QToolButton* CommandButton(QWidget* parent, QAction* action) {
  auto* b = new QToolButton(parent);
  if (action) b->setDefaultAction(action);
  b->setToolButtonStyle(Qt::ToolButtonTextOnly);
  b->setAutoRaise(false);
  return b;
}

QToolBar* MakePageBar(QWidget* parent) {
  auto* bar = new QToolBar(parent);
  bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
  bar->setMovable(false);
  bar->setFloatable(false);
  bar->setContentsMargins(0, 0, 0, 0);
  return bar;
}

void SetupCellGrid(QTableView* view, int cellWidth, int cellHeight) {
  view->setSelectionBehavior(QAbstractItemView::SelectItems);
  view->setSelectionMode(QAbstractItemView::ContiguousSelection);
  view->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view->setWordWrap(false);
  view->setShowGrid(true);
  QHeaderView* h = view->horizontalHeader();
  QHeaderView* v = view->verticalHeader();
  h->setHighlightSections(false);
  v->setHighlightSections(false);
  h->setMinimumSectionSize(std::min(cellWidth, 16));
  h->setDefaultSectionSize(cellWidth);
  // Uniform row heights: the view never measures rows it does not show.
  v->setSectionResizeMode(QHeaderView::Fixed);
  v->setMinimumSectionSize(std::min(cellHeight, 16));
  v->setDefaultSectionSize(cellHeight);
  view->setContextMenuPolicy(Qt::ActionsContextMenu);
}

bool SelectedRect(const QTableView* view, TCellRect& rect) {
  const QItemSelectionModel* sel = view->selectionModel();
  if (!sel || !sel->hasSelection()) return false;
  bool any = false;
  for (const QItemSelectionRange& r : sel->selection()) {
    if (!r.isValid()) continue;
    if (!any) {
      rect = {r.top(), r.left(), r.bottom(), r.right()};
      any = true;
    } else {
      rect.top = std::min(rect.top, r.top());
      rect.left = std::min(rect.left, r.left());
      rect.bottom = std::max(rect.bottom, r.bottom());
      rect.right = std::max(rect.right, r.right());
    }
  }
  return any;
}

QImage MarkerImage(QColor outline, QColor fill, int size) {
  QImage image(size, size, QImage::Format_ARGB32);
  image.fill(fill);
  QPainter p(&image);
  p.setPen(outline);
  p.drawRect(0, 0, size - 1, size - 1);
  return image;
}

}  // namespace kvarn
