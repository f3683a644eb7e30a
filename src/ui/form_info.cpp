#include "ui/form_info.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSplitter>
#include <QVBoxLayout>
#include <algorithm>

#include "app/workspace.h"
#include "ui/colours.h"
#include "ui/combs_page.h"
#include "ui/dialog_buttons.h"
#include "ui/draws_page.h"
#include "ui/qt_host.h"
#include "ui/template_main.h"

namespace kvarn {

namespace {
constexpr int CardCellSize = 34;
}

TFormInfo::TFormInfo(TWorkspace& ws, int drawNumber, const std::optional<std::string>& dateText,
                     const TComb& numbers, bool sorted, int last, QWidget* parent)
    : QDialog(parent), numbers_(numbers), channelSize_(ws.Config().ChannelSize) {
  TBusyGuard busy(ws.Host());
  setObjectName(QStringLiteral("FormInfo"));
  setWindowTitle(QStringLiteral("Подробная информация"));
  auto* v = new QVBoxLayout(this);

  auto* colsRow = new QHBoxLayout();
  auto* colsLabel = new QLabel(QStringLiteral("Количество столбцов:"), this);
  cols_ = new QSpinBox(this);
  cols_->setObjectName(QStringLiteral("seCols"));
  cols_->setRange(1, NumbersCount);
  cols_->setValue(std::clamp(ws.Config().MatrixCols, 1, NumbersCount));
  colsLabel->setBuddy(cols_);
  colsRow->addWidget(colsLabel);
  colsRow->addWidget(cols_);
  colsRow->addStretch(1);
  v->addLayout(colsRow);

  auto* split = new QSplitter(Qt::Horizontal, this);
  card_ = new QTableWidget(split);
  card_->setTabKeyNavigation(false);
  card_->setObjectName(QStringLiteral("sgCard"));
  card_->horizontalHeader()->hide();
  card_->verticalHeader()->hide();
  card_->horizontalHeader()->setDefaultSectionSize(CardCellSize);
  card_->verticalHeader()->setDefaultSectionSize(CardCellSize);
  card_->horizontalHeader()->setMinimumSectionSize(CardCellSize);
  card_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  card_->setSelectionMode(QAbstractItemView::NoSelection);
  card_->setFocusPolicy(Qt::NoFocus);
  QFont bold = card_->font();
  bold.setBold(true);
  card_->setFont(bold);

  props_ = new QTreeWidget(split);
  props_->setObjectName(QStringLiteral("lvProps"));
  props_->setRootIsDecorated(false);
  props_->setHeaderLabels({QStringLiteral("Свойство"), QStringLiteral("Значение")});
  // The property names fit their column; the person may still resize it.
  props_->header()->setSectionResizeMode(0, QHeaderView::Interactive);
  props_->setAlternatingRowColors(true);
  split->addWidget(card_);
  split->addWidget(props_);
  split->setStretchFactor(0, 0);
  split->setStretchFactor(1, 1);
  v->addWidget(split, 1);

  v->addWidget(CloseButton(this));

  FillCard();
  connect(cols_, &QSpinBox::valueChanged, this, [this] { FillCard(); });
  FillProps(ws, drawNumber, dateText, sorted, last);
  props_->resizeColumnToContents(0);
  props_->resizeColumnToContents(1);
  FitToContents();
}

int TFormInfo::NumberOfCell(int row, int col) const {
  const int n = row * cols_->value() + col + 1;
  return n >= 1 && n <= NumbersCount ? n : 0;
}

void TFormInfo::FillCard() {
  const int cols = cols_->value();
  card_->clear();
  card_->setColumnCount(cols);
  card_->setRowCount(PageCount(1, NumbersCount, cols));
  for (int r = 0; r < card_->rowCount(); ++r)
    for (int c = 0; c < cols; ++c) {
      const int n = NumberOfCell(r, c);
      // Cells beyond 36 keep the grid's own colour.
      if (n == 0) continue;
      auto* item = new QTableWidgetItem();
      item->setTextAlignment(Qt::AlignCenter);
      item->setBackground(WinColour(ChannelColour(n, channelSize_)));
      card_->setItem(r, c, item);
    }
  for (uint8_t n : numbers_) {
    if (n < 1 || n > NumbersCount) continue;
    const int r = (n - 1) / cols, c = (n - 1) % cols;
    if (QTableWidgetItem* item = card_->item(r, c)) item->setText(QString::number(n));
  }
  // The card takes the room its columns need, up to most of the screen.
  const int w = cols * CardCellSize + 2 * card_->frameWidth() + 2;
  const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
  const int most = screen ? screen->availableGeometry().width() * 3 / 5 : w;
  card_->setMinimumWidth(std::min(w, most));
  FitToContents();
}

void TFormInfo::FitToContents() {
  // Wide enough for the whole card and the properties with their names, within the screen; on a
  // narrow screen the card scrolls rather than squeezing the names.
  const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
  const QRect avail = screen ? screen->availableGeometry() : QRect(0, 0, 1600, 1000);
  const int propsWidth =
      std::min(props_->columnWidth(0) + props_->columnWidth(1) +
                   props_->verticalScrollBar()->sizeHint().width() + 2 * props_->frameWidth() + 8,
               avail.width() * 2 / 5);
  props_->setMinimumWidth(propsWidth);
  const int w = std::min(card_->minimumWidth() + propsWidth + 40, avail.width() - 40);
  const int h =
      std::min(std::max(520, card_->rowCount() * CardCellSize + 140), avail.height() - 60);
  resize(std::max(w, width()), std::max(h, height()));
  if (auto* split = findChild<QSplitter*>())
    split->setSizes({card_->minimumWidth(), std::max(propsWidth, width() - card_->minimumWidth())});
}

void TFormInfo::FillProps(TWorkspace& ws, int drawNumber,
                          const std::optional<std::string>& dateText, bool sorted, int last) {
  auto add = [this](const QString& name, const QString& value) {
    auto* item = new QTreeWidgetItem(props_, {name, value});
    item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
  };
  if (drawNumber >= 0) add(QStringLiteral("Номер тиража:"), QString::number(drawNumber));
  if (dateText) add(QStringLiteral("Дата тиража:"), Q(*dateText));
  TStatList& list = ws.StatList();
  for (int i = 0; i < list.Count(); ++i) {
    if (!list.IsGraph(i) || !list.IsListed(i)) continue;
    std::unique_ptr<TCustomStat> stat = list.CreateStat(i);
    auto* graph = dynamic_cast<TCustomGraphStat*>(stat.get());
    if (!graph) continue;
    add(Q(stat->FullCaption()), QString::number(graph->GraphValueOf(numbers_, last, last, sorted)));
  }
}

void TFormInfo::ShowInfo(TWorkspace& ws, int drawNumber, const std::optional<std::string>& dateText,
                         const TComb& numbers, bool sorted, int last, QWidget* parent) {
  TFormInfo form(ws, drawNumber, dateText, numbers, sorted, last, parent);
  form.exec();
}

void BindInfoCommands(TTemplateMain& main) {
  TWorkspace& ws = main.Workspace();
  TCommandList& c = main.Commands();
  c.Bind(
      "DrawsInfo", [&main] { return main.Page<TDrawsPage>().FocusedRow() >= 0; },
      [&main, &ws] {
        const int index =
            main.Page<TDrawsPage>().Model()->IndexOfRow(main.Page<TDrawsPage>().FocusedRow());
        if (index < 0 || index >= ws.DrawsCount()) return;
        const TDraw& d = ws.Draws()[static_cast<size_t>(index)];
        TFormInfo::ShowInfo(ws, d.Number, d.DateText, DrawComb(d), ws.WindowState().SortedDraws,
                            index, &main);
      });
  c.Bind(
      "CombsInfo", [&main] { return main.Page<TCombsPage>().FocusedRow() >= 0; },
      [&main, &ws] {
        const int row = main.Page<TCombsPage>().FocusedRow();
        if (row < 0 || row >= ws.Combs().Count()) return;
        // The analysis point of the filters; before the first draw the methods see nothing.
        const int last = ws.DrawsCount() - 1 - ws.DrawsOffset();
        TFormInfo::ShowInfo(ws, -1, std::nullopt, ws.Combs()[row], ws.WindowState().SortedDraws,
                            last, &main);
      });
}

}  // namespace kvarn
