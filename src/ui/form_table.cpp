#include "ui/form_table.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "ui/dialog_buttons.h"
#include "ui/qt_host.h"

namespace kvarn {

TFormTable::TFormTable(IHost& host, const std::vector<TSelectedComb>& selected, TCheck check,
                       QWidget* parent)
    : QDialog(parent),
      host_(host),
      selectedCount_(selected.size()),
      check_(std::move(check)),
      typedStart_(Q(RegularStartTextFor(selected))) {
  setObjectName(QStringLiteral("FormTable"));
  setWindowTitle(QStringLiteral("Добавление регулярной ставки"));
  auto* v = new QVBoxLayout(this);

  v->addWidget(new QLabel(QStringLiteral("Комментарий к ставке:"), this));
  comment_ = new QLineEdit(Q(RegularDefaultComment), this);
  comment_->setObjectName(QStringLiteral("edComment"));
  comment_->setMaxLength(static_cast<int>(RegularCommentMaxLen));
  v->addWidget(comment_);

  useMyComb_ =
      new QRadioButton(QStringLiteral("Использовать постоянную стартовую комбинацию:"), this);
  useMyComb_->setObjectName(QStringLiteral("rbUseMyComb"));
  useMyComb_->setChecked(true);
  v->addWidget(useMyComb_);
  start_ = new QLineEdit(this);
  start_->setObjectName(QStringLiteral("edCombStart"));
  auto* indent = new QHBoxLayout();
  indent->addSpacing(20);
  indent->addWidget(start_);
  v->addLayout(indent);
  useLastDraw_ = new QRadioButton(QStringLiteral("Использовать данные предыдущего тиража"), this);
  useLastDraw_->setObjectName(QStringLiteral("rbUseLastDraw"));
  v->addWidget(useLastDraw_);

  auto* stepRow = new QHBoxLayout();
  stepRow->addWidget(new QLabel(QStringLiteral("Шаг:"), this));
  step_ = new QSpinBox(this);
  step_->setObjectName(QStringLiteral("edStep"));
  step_->setRange(RegularMinStep, RegularMaxStep);
  step_->setValue(1);
  stepRow->addWidget(step_);
  stepRow->addStretch(1);
  v->addLayout(stepRow);
  v->addStretch(1);
  v->addWidget(OkCancelButtons(this));

  connect(start_, &QLineEdit::textEdited, this, [this](const QString& t) { typedStart_ = t; });
  connect(useMyComb_, &QRadioButton::toggled, this, [this] { UpdateStartField(); });
  UpdateStartField();
  resize(420, sizeHint().height());
  comment_->setFocus();
  comment_->selectAll();
}

void TFormTable::UpdateStartField() {
  const bool editable =
      RegularStartEditable(useMyComb_->isChecked() ? rbOwnComb : rbLastDraw, selectedCount_);
  start_->setReadOnly(!editable);
  start_->setEnabled(editable);
  start_->setText(editable ? typedStart_ : Q(RegularSelectedCombsText));
}

void TFormTable::accept() {
  TRegularInput input;
  input.Comment = S(comment_->text());
  input.Base = useMyComb_->isChecked() ? rbOwnComb : rbLastDraw;
  input.StartText = S(typedStart_);
  input.Step = step_->value();
  TRegularsCreation created = check_(input);
  switch (created.Field) {
    case TRegularField::None:
      result_ = std::move(created.Created);
      QDialog::accept();
      return;
    case TRegularField::Start:
      ShowError(host_, created.Message);
      start_->setFocus();
      start_->selectAll();
      return;
    case TRegularField::Step:
      ShowError(host_, created.Message);
      step_->setFocus();
      return;
    case TRegularField::Comment:
      ShowError(host_, created.Message);
      comment_->setFocus();
      comment_->selectAll();
      return;
  }
}

}  // namespace kvarn
