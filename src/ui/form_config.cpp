#include "ui/form_config.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QRegularExpressionValidator>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include "app/config_input.h"
#include "core/text.h"
#include "ui/dialog_buttons.h"
#include "ui/qt_host.h"

namespace kvarn {

namespace {

// Cells that accept only what the pattern allows (digits, and the decimal separator where a
// real is typed).
class TPatternDelegate : public QStyledItemDelegate {
 public:
  TPatternDelegate(const QString& pattern, QObject* parent)
      : QStyledItemDelegate(parent), pattern_(pattern) {}
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override {
    QWidget* w = QStyledItemDelegate::createEditor(parent, option, index);
    if (auto* edit = qobject_cast<QLineEdit*>(w))
      edit->setValidator(new QRegularExpressionValidator(QRegularExpression(pattern_), edit));
    return w;
  }

 private:
  QString pattern_;
};

QDoubleSpinBox* Coefficient(QWidget* parent, long double v) {
  auto* e = new QDoubleSpinBox(parent);
  e->setDecimals(3);
  e->setRange(-1000000, 1000000);
  e->setValue(static_cast<double>(v));
  return e;
}

}  // namespace

TFormConfig::TFormConfig(IHost& host, const TConfigData& data, QWidget* parent)
    : QDialog(parent), host_(host), data_(data) {
  setObjectName(QStringLiteral("FormConfig"));
  setWindowTitle(QStringLiteral("Параметры системы"));
  auto* v = new QVBoxLayout(this);
  auto* cols = new QHBoxLayout();
  v->addLayout(cols);

  auto* left = new QVBoxLayout();
  cols->addLayout(left);
  auto* form = new QFormLayout();
  left->addLayout(form);

  auto* matrixRow = new QHBoxLayout();
  matrixCols_ = new QSpinBox(this);
  matrixCols_->setObjectName(QStringLiteral("edMatrixCol"));
  matrixCols_->setRange(1, NumbersCount);
  matrixCols_->setToolTip(QStringLiteral("Количество столбцов"));
  matrixRows_ = new QLineEdit(this);
  matrixRows_->setObjectName(QStringLiteral("edMatrixRow"));
  matrixRows_->setReadOnly(true);
  matrixRows_->setToolTip(QStringLiteral("Количество строк"));
  matrixRows_->setMaximumWidth(50);
  matrixRow->addWidget(matrixCols_);
  matrixRow->addWidget(new QLabel(QStringLiteral("x"), this));
  matrixRow->addWidget(matrixRows_);
  form->addRow(QStringLiteral("Размер матрицы:"), matrixRow);

  channel_ = new QSpinBox(this);
  channel_->setObjectName(QStringLiteral("edChannelSize"));
  channel_->setRange(2, NumbersCount);
  channel_->setToolTip(QStringLiteral("Ширина канала"));
  form->addRow(QStringLiteral("Размер канала:"), channel_);

  cost_ = new QDoubleSpinBox(this);
  cost_->setObjectName(QStringLiteral("edCost"));
  cost_->setDecimals(2);
  cost_->setRange(0, 100000000);
  cost_->setToolTip(QStringLiteral("Стоимость одной ставки"));
  form->addRow(QStringLiteral("Стоимость ставки:"), cost_);

  maxLen_ = new QSpinBox(this);
  maxLen_->setObjectName(QStringLiteral("edStakeMaxLen"));
  maxLen_->setRange(CombSize + 1, MaxSetSize);
  maxLen_->setToolTip(QStringLiteral("Максимально допустимая расширенная ставка"));
  form->addRow(QStringLiteral("Расширенная ставка:"), maxLen_);

  auto* group = new QGroupBox(QStringLiteral(" Коэффициенты для поля \"Вес\" "), this);
  auto* gf = new QFormLayout(group);
  coefCount_ = Coefficient(group, data.CoefCount);
  coefDeviation_ = Coefficient(group, data.CoefDeviation);
  coefLevel_ = Coefficient(group, data.CoefLevel);
  gf->addRow(QStringLiteral("Количество:"), coefCount_);
  gf->addRow(QStringLiteral("Отклонение:"), coefDeviation_);
  gf->addRow(QStringLiteral("Глубина:"), coefLevel_);
  usePercents_ = new QCheckBox(QStringLiteral("Использовать значения в %"), group);
  useAbs_ = new QCheckBox(QStringLiteral("Использовать абсолютные значения"), group);
  gf->addRow(usePercents_);
  gf->addRow(useAbs_);
  left->addWidget(group);

  left->addWidget(new QLabel(QStringLiteral("Размеры выигрышей:"), this));
  profits_ = new QTableWidget(PrizeListRows, 2, this);
  profits_->setObjectName(QStringLiteral("edProfits"));
  profits_->setHorizontalHeaderLabels(
      {QStringLiteral("Совпадений"), QStringLiteral("Сумма выигрыша")});
  profits_->verticalHeader()->hide();
  profits_->horizontalHeader()->setStretchLastSection(true);
  // Tab leaves the grid for the next field (arrows move between cells); otherwise Tab would
  // walk the cells for ever and never reach the segments or the buttons.
  profits_->setTabKeyNavigation(false);
  profits_->setItemDelegateForColumn(
      1, new TPatternDelegate(QStringLiteral("[0-9]*[.,]?[0-9]*"), profits_));
  // All six lines show at once: a prize hidden below a scroll bar is easily forgotten.
  const int rowHeight = profits_->fontMetrics().height() + 8;
  profits_->verticalHeader()->setDefaultSectionSize(rowHeight);
  profits_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  profits_->setFixedHeight(profits_->horizontalHeader()->sizeHint().height() +
                           PrizeListRows * rowHeight + 2 * profits_->frameWidth());
  left->addWidget(profits_);
  left->addStretch(1);

  auto* right = new QVBoxLayout();
  cols->addLayout(right);
  right->addWidget(new QLabel(QStringLiteral("Сегменты матрицы:"), this));
  segments_ = new QTableWidget(this);
  segments_->setObjectName(QStringLiteral("sgSegments"));
  segments_->horizontalHeader()->hide();
  segments_->verticalHeader()->hide();
  segments_->horizontalHeader()->setDefaultSectionSize(28);
  segments_->verticalHeader()->setDefaultSectionSize(24);
  segments_->setItemDelegate(new TPatternDelegate(QStringLiteral("[0-9]*"), segments_));
  segments_->setSelectionMode(QAbstractItemView::SingleSelection);
  segments_->setTabKeyNavigation(false);
  segments_->setMinimumWidth(8 * 28);
  right->addWidget(segments_, 1);

  v->addWidget(OkCancelButtons(this));

  // Fill from the current values.
  filling_ = true;
  channel_->setValue(data.ChannelSize);
  cost_->setValue(static_cast<double>(MoneyToReal(data.StakeCost)));
  maxLen_->setValue(data.MaxStake);
  usePercents_->setChecked(data.UsePercents);
  useAbs_->setChecked(data.UseAbsValues);
  auto lines = PrizeListLines(data.Profits);
  for (int i = 0; i < PrizeListRows; ++i) {
    // The keys are the match counts 0..5; only the prizes are typed.
    auto* key = new QTableWidgetItem(Q(lines[static_cast<size_t>(i)].first));
    key->setFlags(key->flags() & ~Qt::ItemIsEditable);
    profits_->setItem(i, 0, key);
    profits_->setItem(i, 1, new QTableWidgetItem(Q(lines[static_cast<size_t>(i)].second)));
  }
  matrixCols_->setValue(std::clamp(data.MatrixCols, 1, NumbersCount));
  filling_ = false;
  RebuildSegments(matrixCols_->value());
  connect(matrixCols_, &QSpinBox::valueChanged, this, [this](int c) {
    // Keep what was typed: the current cells are redistributed to the new shape.
    data_.Segments = SegmentsRead(SegmentCells());
    RebuildSegments(c);
  });
  connect(segments_, &QTableWidget::itemChanged, this, &TFormConfig::SegmentEdited);
  resize(640, 520);
}

void TFormConfig::RebuildSegments(int cols) {
  filling_ = true;
  int rows = CeilDiv(NumbersCount, cols);
  matrixRows_->setText(QString::number(rows));
  segments_->clear();
  segments_->setColumnCount(cols);
  segments_->setRowCount(rows);
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < cols; ++c) {
      int n = r * cols + c + 1;
      auto* item = new QTableWidgetItem();
      item->setTextAlignment(Qt::AlignCenter);
      if (n <= NumbersCount) {
        item->setText(QString::number(data_.Segments[static_cast<size_t>(n - 1)]));
        item->setToolTip(QString::number(n));
      } else {
        // Beyond 36 there is no number: the cell cannot be selected.
        item->setFlags(Qt::NoItemFlags);
        item->setBackground(palette().window());
      }
      segments_->setItem(r, c, item);
    }
  filling_ = false;
}

std::vector<std::string> TFormConfig::SegmentCells() const {
  std::vector<std::string> cells;
  int cols = segments_->columnCount();
  for (int n = 1; n <= NumbersCount && cols > 0; ++n) {
    QTableWidgetItem* item = segments_->item((n - 1) / cols, (n - 1) % cols);
    cells.push_back(item ? S(item->text()) : std::string());
  }
  return cells;
}

void TFormConfig::SegmentEdited(QTableWidgetItem* item) {
  if (filling_ || !item || !(item->flags() & Qt::ItemIsEditable)) return;
  std::string text = S(item->text());
  if (SegmentCellValid(text)) return;
  filling_ = true;
  item->setText(QStringLiteral("1"));
  filling_ = false;
  ShowError(host_, SegmentCellMessage(text));
}

TConfigData TFormConfig::Result() const {
  TConfigData d = data_;
  d.MatrixCols = matrixCols_->value();
  d.ChannelSize = channel_->value();
  d.StakeCost = MoneyFromReal(static_cast<long double>(cost_->value()));
  d.MaxStake = maxLen_->value();
  d.CoefCount = coefCount_->value();
  d.CoefDeviation = coefDeviation_->value();
  d.CoefLevel = coefLevel_->value();
  d.UsePercents = usePercents_->isChecked();
  d.UseAbsValues = useAbs_->isChecked();
  std::vector<std::pair<std::string, std::string>> lines;
  for (int i = 0; i < profits_->rowCount(); ++i) {
    auto text = [&](int c) {
      QTableWidgetItem* it = profits_->item(i, c);
      return it ? S(it->text()) : std::string();
    };
    lines.emplace_back(text(0), text(1));
  }
  d.Profits = PrizeListRead(lines);
  d.Segments = SegmentsRead(SegmentCells());
  return d;
}

}  // namespace kvarn
