#include "ui/method_help.h"

#include <QApplication>
#include <QDialog>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <cstdio>

#include "app/help_book.h"
#include "core/text.h"
#include "stats/registry.h"
#include "ui/dialog_buttons.h"
#include "ui/form_help.h"
#include "ui/qt_host.h"
#include "ui/window_state.h"

namespace kvarn {

namespace {
constexpr const char* PlaceKey = "FormMethodHelpPos";
}

void ShowMethodHelp(QWidget* parent, const THelpBook& book, const TStatMethod& method,
                    TWindowStateStore* state) {
  QDialog dlg(parent);
  dlg.setObjectName(QStringLiteral("FormMethodHelp"));
  dlg.setWindowTitle(QStringLiteral("Описание методики расчета"));
  dlg.setFont(QApplication::font("QMenu"));
  dlg.resize(640, 480);
  int x = 0, y = 0, w = 0, h = 0;
  if (state && std::sscanf(state->Text(PlaceKey, "").c_str(), "%d,%d,%d,%d", &x, &y, &w, &h) == 4 &&
      w > 100 && h > 100)
    dlg.setGeometry(x, y, w, h);
  auto* v = new QVBoxLayout(&dlg);
  auto* view = new QTextBrowser(&dlg);
  view->setObjectName(QStringLiteral("MethodBrowser"));
  view->setOpenLinks(false);
  v->addWidget(view, 1);
  const int page = book.Find(THelpBook::MethodPageId(*method.StatClass));
  if (page >= 0)
    SetHelpPage(*view, book.Pages()[static_cast<size_t>(page)]);
  else
    view->setHtml(QStringLiteral("<h3>%1</h3><p>Описание метода расчета статистики "
                                 "отсутствует.</p>")
                      .arg(Q(method.Name()).toHtmlEscaped()));
  // A link leads to another page of the help in the same window.
  QObject::connect(view, &QTextBrowser::anchorClicked, &dlg, [&book, view](const QUrl& url) {
    const int p = book.Find(S(url.toString()));
    if (p >= 0) SetHelpPage(*view, book.Pages()[static_cast<size_t>(p)]);
  });
  v->addWidget(CloseButton(&dlg));
  dlg.exec();
  if (state) {
    const QRect g = dlg.geometry();
    state->SetText(PlaceKey, StrFormat("%d,%d,%d,%d", g.x(), g.y(), g.width(), g.height()));
  }
}

}  // namespace kvarn
