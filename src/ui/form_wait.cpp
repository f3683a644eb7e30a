#include "ui/form_wait.h"

#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>

#include "ui/qt_host.h"

namespace kvarn {

TFormWait::TFormWait(QWidget* parent) : QDialog(parent), label_(new QLabel(this)) {
  setObjectName(QStringLiteral("FormWait"));
  setWindowTitle(QStringLiteral("Подождите..."));
  setModal(false);
  // No close button: the window goes away when the work it reports on ends.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  label_->setAlignment(Qt::AlignCenter);
  label_->setMinimumWidth(320);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(24, 18, 24, 18);
  layout->addWidget(label_);
}

void TFormWait::SetText(const std::string& text) {
  if (text.empty()) {
    hide();
    return;
  }
  label_->setText(DisplayText(text));
  adjustSize();
  if (!isVisible()) show();
  raise();
  // Paint now: the download holds the thread between its progress reports.
  QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

QString TFormWait::Text() const {
  return isVisible() ? label_->text() : QString();
}

}  // namespace kvarn
