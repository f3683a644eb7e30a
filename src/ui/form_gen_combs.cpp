#include "ui/form_gen_combs.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "combs/combs.h"
#include "core/config.h"
#include "ui/dialog_buttons.h"
#include "ui/template_main.h"

namespace kvarn {

TFormGenCombs::TFormGenCombs(TTemplateMain& main, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("FormGenCombs"));
  setWindowTitle(QStringLiteral("Создание нового списка комбинаций"));
  auto* v = new QVBoxLayout(this);
  v->addWidget(new QLabel(QStringLiteral("Режим генерации списка комбинаций:"), this));
  mode_ = new QComboBox(this);
  mode_->setObjectName(QStringLiteral("cbCombsGenerateMode"));
  for (int i = 0; i < gmCount; ++i) mode_->addItem(QString::fromUtf8(CombsGenerateModeCaptions[i]));
  v->addWidget(mode_);
  v->addWidget(new QLabel(QStringLiteral("Мои числа или имя файла для загрузки:"), this));
  auto* row = new QHBoxLayout();
  param_ = new QLineEdit(this);
  param_->setObjectName(QStringLiteral("edCombsGenerateParam"));
  param_->setMaxLength(static_cast<int>(GenerateParametersMaxLen));
  browse_ = new QToolButton(this);
  browse_->setText(QStringLiteral("..."));
  row->addWidget(param_, 1);
  row->addWidget(browse_);
  v->addLayout(row);
  save_ = new QCheckBox(
      QStringLiteral("Сохранить эти параметры для генерации комбинаций \"по умолчанию\""), this);
  save_->setObjectName(QStringLiteral("cbSaveParameters"));
  v->addWidget(save_);
  v->addWidget(OkCancelButtons(this));
  connect(mode_, &QComboBox::currentIndexChanged, this, &TFormGenCombs::ModeChanged);
  connect(browse_, &QToolButton::clicked, this, [this] {
    QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Открыть"), param_->text(),
                                                QStringLiteral("Файлы комбинаций (*.lcv)"));
    if (!path.isEmpty()) param_->setText(path);
  });

  const TGenerateConfig& g = main.GenerateParameters();
  mode_->setCurrentIndex(g.Mode >= 0 && g.Mode < gmCount ? g.Mode : 0);
  param_->setText(QString::fromStdString(g.Parameters));
  save_->setChecked(false);
  ModeChanged();
  resize(520, sizeHint().height());
}

std::string TFormGenCombs::Parameters() const {
  return param_->text().toStdString();
}

void TFormGenCombs::ModeChanged() {
  int m = mode_->currentIndex();
  param_->setEnabled(m >= gmAnyMine && m <= gmFile);
  browse_->setEnabled(m == gmFile);
}

}  // namespace kvarn
