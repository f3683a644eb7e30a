#include "ui/placeholder_page.h"

#include <QLabel>
#include <QStatusBar>
#include <QVBoxLayout>

namespace kvarn {

TPlaceholderPage::TPlaceholderPage(TTemplateMain& main, const std::vector<const char*>& statusTexts,
                                   QWidget* parent)
    : TPage(main, parent) {
  if (statusTexts.empty()) return;
  auto* v = new QVBoxLayout(this);
  v->setContentsMargins(0, 0, 0, 0);
  v->addStretch(1);
  auto* bar = new QStatusBar(this);
  bar->setSizeGripEnabled(false);
  for (const char* t : statusTexts) {
    auto* l = new QLabel(QString::fromUtf8(t), bar);
    l->setMinimumWidth(100);
    bar->addWidget(l);
  }
  v->addWidget(bar);
}

std::function<TPage*(TTemplateMain&, QWidget*)> MakePlaceholder(
    std::vector<const char*> statusTexts) {
  return [statusTexts](TTemplateMain& main, QWidget* parent) -> TPage* {
    return new TPlaceholderPage(main, statusTexts, parent);
  };
}

}  // namespace kvarn
