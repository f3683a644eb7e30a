// The main window's help: the book of pages built once, the help window, and the page that
// fits the place holding the focus.
#include <QApplication>

#include "app/help_book.h"
#include "ui/form_help.h"
#include "ui/template_main.h"

namespace kvarn {

const THelpBook& TTemplateMain::HelpBook() {
  if (!helpBook_) helpBook_ = std::make_unique<THelpBook>(workspace_->StatList());
  return *helpBook_;
}

void TTemplateMain::ShowHelp(const std::string& page) {
  if (!helpWindow_) helpWindow_ = new TFormHelp(HelpBook(), this);
  helpWindow_->ShowPage(page);
}

std::string TTemplateMain::ContextHelpPage() const {
  static const char* const kRight[rtCount] = {"stats",   "graphs",  "card",   "scheme",
                                              "week",    "stakes",  "rating", "regulars",
                                              "systems", "scenario"};
  const QWidget* focus = QApplication::focusWidget();
  if (focus && leftTabs_ && leftTabs_->isAncestorOf(focus))
    return leftTabs_->currentIndex() == 0 ? "draws" : "combs";
  const int tab = rightTabs_ ? rightTabs_->currentIndex() : -1;
  return tab >= 0 && tab < rtCount ? kRight[tab] : "index";
}

}  // namespace kvarn
