// The help window (F1): the table of contents or the search results on the left, the page on
// the right; and the description window "Описание методики расчета" that shows one method's page.
#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QTextBrowser>
#include <QTreeWidget>
#include <memory>

#include "app/help_book.h"

namespace kvarn {

class TFormHelp : public QWidget {
  Q_OBJECT
 public:
  explicit TFormHelp(const THelpBook& book, QWidget* parent = nullptr);

  // Shows the page with this identifier (the overview when there is none) and raises the window.
  void ShowPage(const std::string& id);
  std::string CurrentPage() const;

  QLineEdit* SearchField() const { return search_; }
  QTreeWidget* Contents() const { return contents_; }
  QListWidget* Results() const { return results_; }
  QTextBrowser* Browser() const { return browser_; }

 private:
  void Open(int page);
  void Search();

  const THelpBook& book_;
  QLineEdit* search_;
  QTreeWidget* contents_;
  QListWidget* results_;
  QTextBrowser* browser_;
  int current_ = -1;
};

// Shows a help page's Markdown in a browser.
void SetHelpPage(QTextBrowser& browser, const THelpPage& page);

}  // namespace kvarn
