#include "ui/method_help.h"

#include <QDialog>
#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "ui/dialog_buttons.h"
#include "ui/qt_host.h"

namespace kvarn {

void ShowMethodHelp(QWidget* parent, const std::string& topic, const std::string& caption) {
  QDialog dlg(parent);
  dlg.setWindowTitle(QStringLiteral("Описание методики расчета"));
  dlg.resize(640, 480);
  auto* v = new QVBoxLayout(&dlg);
  auto* view = new QTextBrowser(&dlg);
  view->setOpenExternalLinks(false);
  v->addWidget(view, 1);
  // A page of the help file is "ms-its:<file>::/<page>"; a help file unpacked next to it keeps
  // the page under the same name.
  QString page;
  if (!topic.empty()) {
    const QString t = Q(topic);
    const qsizetype sep = t.indexOf(QStringLiteral("::/"));
    if (sep > 0) {
      QString file = t.mid(0, sep);
      if (file.startsWith(QStringLiteral("ms-its:"))) file = file.mid(7);
      const QString html = QFileInfo(file).absolutePath() + QLatin1Char('/') + t.mid(sep + 3);
      if (QFileInfo::exists(html)) page = html;
    }
  }
  if (!page.isEmpty())
    view->setSource(QUrl::fromLocalFile(page));
  else
    view->setHtml(QStringLiteral("<h3>%1</h3><p>Описание метода расчета статистики "
                                 "отсутствует.</p>")
                      .arg(Q(caption).toHtmlEscaped()));
  v->addWidget(CloseButton(&dlg));
  dlg.exec();
}

}  // namespace kvarn
