#include "ui/form_chance.h"

#include <QHeaderView>
#include <QVBoxLayout>
#include <algorithm>

#include "core/text.h"
#include "ui/dialog_buttons.h"
#include "ui/qt_host.h"

namespace kvarn {

TFormChance::TFormChance(const std::vector<TChanceRow>& rows, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Проверка на случайность"));
  setObjectName(QStringLiteral("FormChance"));
  auto* v = new QVBoxLayout(this);
  table_ = new QTableWidget(static_cast<int>(rows.size()), 10, this);
  table_->setObjectName(QStringLiteral("sgChance"));
  table_->setHorizontalHeaderLabels({QStringLiteral("Комментарий"), QStringLiteral("Ставок"),
                                     QStringLiteral("Угадано"), QStringLiteral("Среднее"),
                                     QStringLiteral("Случайно"), QStringLiteral("Отношение"),
                                     QStringLiteral("p"), QStringLiteral("Расчет"),
                                     QStringLiteral("Не найдено"), QStringLiteral("Вывод")});
  table_->horizontalHeaderItem(4)->setToolTip(
      QStringLiteral("Среднее число совпадений, которое дали бы случайные ставки тех же размеров"));
  table_->horizontalHeaderItem(5)->setToolTip(
      QStringLiteral("Среднее, деленное на случайное: 1.0 - не лучше случая"));
  table_->horizontalHeaderItem(6)->setToolTip(QStringLiteral(
      "Вероятность набрать столько совпадений или больше случайно, при независимых ставках"));
  table_->horizontalHeaderItem(8)->setToolTip(
      QStringLiteral("Ставки рейтинга, которых уже нет в файле ставок"));
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->verticalHeader()->hide();
  for (size_t i = 0; i < rows.size(); ++i) {
    const TChanceResult& r = rows[i].Result;
    const QStringList cells = {Q(rows[i].Name),
                               QString::number(r.Stakes),
                               QString::number(r.Matches),
                               Q(StrFormat("%.4f", r.Mean)),
                               Q(StrFormat("%.4f", r.ChanceMean)),
                               Q(StrFormat("%.4f", r.Lift)),
                               Q(StrFormat("%.6g", r.P)),
                               r.Stakes == 0 ? QString()
                               : r.Exact     ? QStringLiteral("точный")
                                         : QStringLiteral("нормальное приближение"),
                               QString::number(r.NotFound),
                               Q(ChanceVerdict(r))};
    for (int c = 0; c < cells.size(); ++c) {
      auto* item = new QTableWidgetItem(cells[c]);
      if (c >= 1 && c <= 6) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      if (c == 0) item->setToolTip(cells[c]);
      table_->setItem(static_cast<int>(i), c, item);
    }
  }
  table_->setWordWrap(false);
  table_->resizeColumnsToContents();
  // Long recipe names are elided (the hint shows them whole), so that the verdict stays in view.
  table_->setColumnWidth(0, std::min(table_->columnWidth(0), 280));
  int width = 2 * table_->frameWidth();
  for (int c = 0; c < table_->columnCount(); ++c) width += table_->columnWidth(c);
  v->addWidget(table_, 1);
  summary_ = new QLabel(Q(ChanceSummary(rows)), this);
  summary_->setObjectName(QStringLiteral("lbSummary"));
  summary_->setWordWrap(true);
  QFont f = summary_->font();
  f.setBold(true);
  summary_->setFont(f);
  v->addWidget(summary_);
  auto* note = new QLabel(
      QStringLiteral("p - вероятность получить не меньше совпадений случайными ставками тех же "
                     "размеров. Строки проверены каждая отдельно: среди многих строк некоторые "
                     "проходят порог 0.05 случайно."),
      this);
  note->setWordWrap(true);
  v->addWidget(note);
  v->addWidget(CloseButton(this));
  resize(std::clamp(width + 40, 600, 1300), 320);
}

}  // namespace kvarn
