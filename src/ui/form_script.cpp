#include "ui/form_script.h"

#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "scenario/script_codes.h"
#include "scenario/script_options.h"
#include "ui/dialog_buttons.h"
#include "ui/qt_host.h"

namespace kvarn {

namespace {

// "|" separates the fields of a line: typed into a comment or a filter it would cut the line.
void RefuseFieldSeparator(QLineEdit* edit) {
  edit->setValidator(
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[^|]*")), edit));
}

}  // namespace

TFormScript::TFormScript(const QString& title, const std::string& line, int defaultExclude,
                         const TFilterEditorContext& filters, QWidget* parent)
    : QDialog(parent), filters_(filters) {
  setObjectName(QStringLiteral("FormScript"));
  setWindowTitle(title);
  auto* v = new QVBoxLayout(this);

  auto* commentForm = new QFormLayout();
  comment_ = new QLineEdit(this);
  comment_->setObjectName(QStringLiteral("edScriptComment"));
  RefuseFieldSeparator(comment_);
  commentForm->addRow(QStringLiteral("Комментарии:"), comment_);
  v->addLayout(commentForm);

  auto* options = new QGroupBox(QStringLiteral(" Опции "), this);
  auto* of = new QFormLayout(options);
  source_ = new QComboBox(options);
  source_->setObjectName(QStringLiteral("cbScriptSource"));
  for (const TScriptCode& c : ScriptSources) source_->addItem(QString::fromUtf8(c.Text));
  of->addRow(QStringLiteral("Начальный список комбинаций:"), source_);
  exclude_ = new QSpinBox(options);
  exclude_->setObjectName(QStringLiteral("edScriptDrawsExclude"));
  exclude_->setRange(0, 2147483647);
  of->addRow(QStringLiteral("Кол-во тиражей:"), exclude_);
  mode_ = new QComboBox(options);
  mode_->setObjectName(QStringLiteral("cbScriptMode"));
  for (const TScriptCode& c : ScriptModes) mode_->addItem(QString::fromUtf8(c.Text));
  of->addRow(new QLabel(QStringLiteral("В случае неоднозначного результата после применения "
                                       "фильтров:"),
                        options));
  of->addRow(mode_);
  clear_ = new QCheckBox(
      QStringLiteral("Удалить все ставки перед выполнением (накопление только рейтинга)"), options);
  clear_->setObjectName(QStringLiteral("cbScriptClearStakes"));
  newOnly_ = new QCheckBox(
      QStringLiteral("Только новые ставки (пропускать те ставки, которые уже есть в списке)"),
      options);
  newOnly_->setObjectName(QStringLiteral("cbScriptNewOnly"));
  of->addRow(clear_);
  of->addRow(newOnly_);
  v->addWidget(options);

  auto* group = new QGroupBox(QStringLiteral(" Фильтры "), this);
  auto* ff = new QFormLayout(group);
  for (int i = 0; i < ScriptFilterCount; ++i) {
    auto* row = new QHBoxLayout();
    auto* edit = new QLineEdit(group);
    edit->setObjectName(QStringLiteral("edScriptFilter%1").arg(i + 1));
    RefuseFieldSeparator(edit);
    edit->installEventFilter(this);
    auto* button = new QToolButton(group);
    button->setObjectName(QStringLiteral("btScriptFilter%1").arg(i + 1));
    button->setText(QStringLiteral("..."));
    connect(button, &QToolButton::clicked, this, [this, i] { EditFilter(i); });
    row->addWidget(edit, 1);
    row->addWidget(button);
    ff->addRow(QStringLiteral("Фильтр %1:").arg(i + 1), row);
    filter_[static_cast<size_t>(i)] = edit;
    button_[static_cast<size_t>(i)] = button;
  }
  v->addWidget(group);

  v->addWidget(OkCancelButtons(this));

  exclude_->setValue(std::max(defaultExclude, 0));
  if (!ScriptLineIsSeparator(line)) {
    comment_->setText(Q(ScriptLineField(line, ScriptCommentField)));
    TScriptOptions o = ScriptOptionsFromText(ScriptLineField(line, 1));
    source_->setCurrentIndex(o.StartCombsType);
    exclude_->setValue(o.DrawsExclude);
    mode_->setCurrentIndex(o.ResultCombsMode);
    clear_->setChecked(o.ClearStakes);
    newOnly_->setChecked(o.NewOnly);
    for (int i = 0; i < ScriptFilterCount; ++i)
      filter_[static_cast<size_t>(i)]->setText(Q(ScriptLineField(line, i + 2)));
  }
  resize(640, sizeHint().height());
}

std::string TFormScript::Line() const {
  TScriptOptions o;
  o.StartCombsType = static_cast<uint8_t>(std::max(source_->currentIndex(), 0));
  o.DrawsExclude = exclude_->value();
  o.ResultCombsMode = static_cast<uint8_t>(std::max(mode_->currentIndex(), 0));
  o.ClearStakes = clear_->isChecked();
  o.NewOnly = newOnly_->isChecked();
  TScriptFilterTexts texts;
  for (int i = 0; i < ScriptFilterCount; ++i)
    texts[static_cast<size_t>(i)] = S(filter_[static_cast<size_t>(i)]->text());
  return ScriptLineMake(S(comment_->text()), ScriptOptionsToText(o), texts);
}

void TFormScript::EditFilter(int i) {
  if (!filters_.Registry) return;
  QLineEdit* edit = filter_[static_cast<size_t>(i)];
  TFormFilter dialog(filters_, FilterItemFromText(S(edit->text()), *filters_.Registry), this);
  if (dialog.exec() == QDialog::Accepted) edit->setText(Q(FilterItemToText(dialog.Item())));
}

bool TFormScript::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonDblClick)
    for (int i = 0; i < ScriptFilterCount; ++i)
      if (watched == filter_[static_cast<size_t>(i)]) {
        EditFilter(i);
        return true;
      }
  return QDialog::eventFilter(watched, event);
}

}  // namespace kvarn
