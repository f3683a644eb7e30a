#include "ui/form_draw.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <optional>

#include "app/draw_input.h"
#include "core/dates.h"
#include "core/text.h"
#include "ui/dialog_buttons.h"
#include "ui/qt_host.h"

namespace kvarn {

TFormDraw::TFormDraw(IHost& host, const QString& caption, const TDraw& draw, bool withDate,
                     const TDateFormat& format, QWidget* parent)
    : QDialog(parent),
      host_(host),
      original_(draw),
      result_(draw),
      withDate_(withDate),
      format_(format) {
  setObjectName(QStringLiteral("FormDraw"));
  setWindowTitle(QStringLiteral("Данные тиража"));
  auto* v = new QVBoxLayout(this);
  auto* head = new QLabel(caption, this);
  QFont f = head->font();
  f.setBold(true);
  head->setFont(f);
  v->addWidget(head);

  v->addWidget(new QLabel(QStringLiteral("Номер тиража:"), this));
  number_ = new QSpinBox(this);
  number_->setObjectName(QStringLiteral("edDrawNumber"));
  number_->setRange(1, 2147483647);
  number_->setValue(std::max(1, draw.Number));
  v->addWidget(number_);

  v->addWidget(new QLabel(
      QStringLiteral("Выпавшие числа, разделенные точкой с запятой или запятой:"), this));
  numbers_ = new QLineEdit(this);
  numbers_->setObjectName(QStringLiteral("edDrawData"));
  // A new record has no numbers yet: the field starts empty rather than "0;0;0;0;0;0".
  bool blank = draw.Values == TComb{} && draw.Extra == 0;
  numbers_->setText(blank ? QString() : Q(DrawInputNumbersText(draw)));
  v->addWidget(numbers_);

  if (withDate_) {
    v->addWidget(new QLabel(QStringLiteral("Дата и время тиража:"), this));
    auto* row = new QHBoxLayout();
    date_ = new QDateEdit(this);
    date_->setObjectName(QStringLiteral("edDrawDate"));
    date_->setCalendarPopup(true);
    date_->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    // Earlier days have a negative day count, which every list shows as "no date".
    date_->setMinimumDate(QDate(1899, 12, 30));
    time_ = new QTimeEdit(this);
    time_->setObjectName(QStringLiteral("edDrawTime"));
    time_->setDisplayFormat(QStringLiteral("HH:mm"));
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
    DecodeDateTime(DrawInputDateTime(draw, format_), y, mo, d, h, mi, s);
    date_->setDate(QDate(y, mo, d));
    time_->setTime(QTime(h, mi));
    shownDate_ = date_->date();
    shownTime_ = time_->time();
    row->addWidget(date_, 1);
    row->addWidget(time_);
    v->addLayout(row);
  }
  v->addWidget(OkCancelButtons(this));
  resize(420, withDate_ ? sizeHint().height() : 200);
  numbers_->setFocus();
}

void TFormDraw::accept() {
  try {
    std::optional<TDateTime> when;
    if (withDate_) {
      QDate d = date_->date();
      QTime t = time_->time();
      // Untouched pickers keep the stored text: one the pickers cannot show (a damaged date, or
      // one in another form) must not be replaced by the moment the dialog opened.
      bool untouched = d == shownDate_ && t == shownTime_;
      if (!(untouched && !Trim(original_.DateText).empty()))
        when = DrawInputJoin(EncodeDateTime(d.year(), d.month(), d.day(), 0, 0),
                             EncodeDateTime(1899, 12, 30, t.hour(), t.minute()));
    }
    result_ = DrawInputRead(original_, number_->value(), S(numbers_->text()), when, format_);
  } catch (const std::exception& e) {
    ShowError(host_, e.what());
    numbers_->setFocus();
    return;
  }
  QDialog::accept();
}

}  // namespace kvarn
