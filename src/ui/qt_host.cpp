#include "ui/qt_host.h"

#include <QApplication>
#include <QCursor>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QTranslator>

namespace kvarn {

QString Q(const std::string& utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string S(const QString& text) {
  return text.toStdString();
}

QString DisplayText(const std::string& text) {
  QString s = Q(text);
  s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return s;
}

QString TQtHost::PanelText(int panel) const {
  if (panel < 0 || panel >= static_cast<int>(panels_.size())) return {};
  return panels_[static_cast<size_t>(panel)]->text();
}

void TQtHost::ShowMessage(TMsgKind kind, const std::string& caption, const std::string& text) {
  if (hook_) {
    hook_({false, kind, caption, text, false});
    return;
  }
  QMessageBox::Icon icon = kind == TMsgKind::Error     ? QMessageBox::Critical
                           : kind == TMsgKind::Warning ? QMessageBox::Warning
                                                       : QMessageBox::Information;
  // The wait cursor must not hide the box's own cursor.
  bool overridden = QApplication::overrideCursor() != nullptr;
  if (overridden) QApplication::setOverrideCursor(Qt::ArrowCursor);
  QMessageBox box(icon, Q(caption), DisplayText(text), QMessageBox::Ok, owner_.data());
  box.exec();
  if (overridden) QApplication::restoreOverrideCursor();
}

bool TQtHost::AskYesNo(const std::string& caption, const std::string& text, bool defaultNo) {
  if (hook_) return hook_({true, TMsgKind::Warning, caption, text, defaultNo});
  QMessageBox::Icon icon =
      caption == "Подтверждение" ? QMessageBox::Question : QMessageBox::Warning;
  QMessageBox box(icon, Q(caption), DisplayText(text), QMessageBox::Yes | QMessageBox::No,
                  owner_.data());
  // The answers speak the program's language whatever translations the toolkit has.
  box.button(QMessageBox::Yes)->setText(QStringLiteral("Да"));
  box.button(QMessageBox::No)->setText(QStringLiteral("Нет"));
  box.setDefaultButton(defaultNo ? QMessageBox::No : QMessageBox::Yes);
  box.setEscapeButton(QMessageBox::No);
  bool overridden = QApplication::overrideCursor() != nullptr;
  if (overridden) QApplication::setOverrideCursor(Qt::ArrowCursor);
  bool yes = box.exec() == QMessageBox::Yes;
  if (overridden) QApplication::restoreOverrideCursor();
  return yes;
}

void TQtHost::SetStatusText(int panel, const std::string& text) {
  if (panel < 0 || panel >= static_cast<int>(panels_.size())) return;
  panels_[static_cast<size_t>(panel)]->setText(Q(text));
}

void TQtHost::BusyChanged(bool busy) {
  if (busy)
    QApplication::setOverrideCursor(Qt::WaitCursor);
  else
    QApplication::restoreOverrideCursor();
  if (OnBusyChanged) OnBusyChanged();
}

void TQtHost::ProcessEvents() {
  QApplication::processEvents(QEventLoop::AllEvents, 50);
}

void InstallToolkitTranslation(QCoreApplication& app) {
  // The toolkit's own texts (dialog buttons, file dialogs, edit menus) in Russian, when the
  // system has the translation; without it they stay in English.
  auto* translator = new QTranslator(&app);
  if (translator->load(QLocale(QLocale::Russian, QLocale::Russia), QStringLiteral("qtbase"),
                       QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    app.installTranslator(translator);
  else
    delete translator;
}

}  // namespace kvarn
