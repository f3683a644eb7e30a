#include "ui/form_filter_ask.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "core/lottery.h"
#include "ui/dialog_buttons.h"

namespace kvarn {

namespace {
// More tested draws than any archive holds is refused by the field, not by the run.
constexpr int MostDraws = 100000;
}  // namespace

TFormFilterAsk::TFormFilterAsk(TMode mode, const TFilterAsk& values, QWidget* parent)
    : QDialog(parent), mode_(mode), values_(values) {
  setObjectName(QStringLiteral("FormFilterAsk"));
  const bool test = mode == amTest;
  setWindowTitle(test ? QStringLiteral("Проверить фильтр на истории")
                      : QStringLiteral("Подбор значений"));
  auto* v = new QVBoxLayout(this);
  auto* about = new QLabel(
      test ? QStringLiteral("Перед каждым из последних тиражей таблица статистики считается "
                            "заново, выделенные значения отбираются по тексту, фильтр "
                            "применяется ко всем комбинациям, и видно, уцелел ли выпавший "
                            "тираж.")
           : QStringLiteral("Значения для фильтра «Оставить выделенные» подбираются по старшей "
                            "половине тиражей так, чтобы в среднем оставалось не больше "
                            "бюджета комбинаций, а затем проверяются на новой половине, "
                            "которую подбор не видел."),
      this);
  about->setWordWrap(true);
  v->addWidget(about);

  auto* form = new QFormLayout();
  draws_ = new QSpinBox(this);
  draws_->setObjectName(QStringLiteral("edTestDraws"));
  draws_->setRange(test ? 1 : 2, MostDraws);
  draws_->setValue(values.Draws);
  form->addRow(QStringLiteral("Количество проверяемых тиражей:"), draws_);
  if (!test) {
    budget_ = new QSpinBox(this);
    budget_->setObjectName(QStringLiteral("edBudget"));
    budget_->setRange(1, FullCombsCount);
    budget_->setGroupSeparatorShown(true);
    budget_->setValue(values.Budget);
    form->addRow(QStringLiteral("Не больше комбинаций в среднем:"), budget_);
  }
  v->addLayout(form);

  if (test) {
    auto* box = new QGroupBox(QStringLiteral("Фильтр"), this);
    auto* b = new QVBoxLayout(box);
    keep_ = new QRadioButton(QStringLiteral("Оставить выделенные"), box);
    keep_->setObjectName(QStringLiteral("rbKeep"));
    delete_ = new QRadioButton(QStringLiteral("Удалить выделенные"), box);
    delete_->setObjectName(QStringLiteral("rbDelete"));
    (values.Exclude ? delete_ : keep_)->setChecked(true);
    b->addWidget(keep_);
    b->addWidget(delete_);
    v->addWidget(box);
  }
  v->addWidget(OkCancelButtons(this));
  draws_->setFocus();
  draws_->selectAll();
  resize(460, sizeHint().height());
}

TFilterAsk TFormFilterAsk::Result() const {
  TFilterAsk r = values_;
  r.Draws = draws_->value();
  if (mode_ == amTest) r.Exclude = delete_->isChecked();
  if (budget_) r.Budget = budget_->value();
  return r;
}

}  // namespace kvarn
