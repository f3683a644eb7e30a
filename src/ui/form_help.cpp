#include "ui/form_help.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QSplitter>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <vector>

#include "ui/qt_host.h"

namespace kvarn {

void SetHelpPage(QTextBrowser& browser, const THelpPage& page) {
  browser.setMarkdown(Q(page.Markdown));
  browser.document()->setMetaInformation(QTextDocument::DocumentTitle, Q(page.Title));
}

TFormHelp::TFormHelp(const THelpBook& book, QWidget* parent)
    : QWidget(parent, Qt::Window), book_(book) {
  setObjectName(QStringLiteral("FormHelp"));
  setWindowTitle(QStringLiteral("Справка"));
  resize(900, 640);
  auto* v = new QVBoxLayout(this);
  auto* split = new QSplitter(Qt::Horizontal, this);
  split->setObjectName(QStringLiteral("HelpSplitter"));
  v->addWidget(split);

  auto* left = new QWidget(split);
  auto* lv = new QVBoxLayout(left);
  lv->setContentsMargins(0, 0, 0, 0);
  auto* label = new QLabel(QStringLiteral("Поиск:"), left);
  search_ = new QLineEdit(left);
  search_->setObjectName(QStringLiteral("edSearch"));
  search_->setPlaceholderText(QStringLiteral("Слова для поиска"));
  search_->setClearButtonEnabled(true);
  label->setBuddy(search_);
  lv->addWidget(label);
  lv->addWidget(search_);
  auto* stack = new QStackedWidget(left);
  contents_ = new QTreeWidget(stack);
  contents_->setObjectName(QStringLiteral("tvContents"));
  contents_->setHeaderHidden(true);
  results_ = new QListWidget(stack);
  results_->setObjectName(QStringLiteral("lvResults"));
  results_->setWordWrap(true);
  stack->addWidget(contents_);
  stack->addWidget(results_);
  lv->addWidget(stack, 1);

  browser_ = new QTextBrowser(split);
  browser_->setObjectName(QStringLiteral("HelpBrowser"));
  browser_->setOpenLinks(false);
  split->addWidget(left);
  split->addWidget(browser_);
  split->setStretchFactor(1, 1);
  split->setSizes({260, 640});

  // The contents as a tree: each page under the nearest page before it with a smaller level.
  std::vector<QTreeWidgetItem*> parents;
  const auto& pages = book_.Pages();
  for (size_t i = 0; i < pages.size(); ++i) {
    const int level = std::max(0, pages[i].Level);
    parents.resize(static_cast<size_t>(level));
    QTreeWidgetItem* item =
        parents.empty() ? new QTreeWidgetItem(contents_) : new QTreeWidgetItem(parents.back());
    item->setText(0, Q(pages[i].Title));
    item->setData(0, Qt::UserRole, static_cast<int>(i));
    parents.push_back(item);
  }
  // Pages open; the method groups below them stay closed until asked for.
  for (int i = 0; i < contents_->topLevelItemCount(); ++i)
    contents_->topLevelItem(i)->setExpanded(true);

  connect(contents_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
    if (item) Open(item->data(0, Qt::UserRole).toInt());
  });
  connect(results_, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
    if (item) Open(item->data(Qt::UserRole).toInt());
  });
  connect(search_, &QLineEdit::textChanged, this, [this, stack] {
    stack->setCurrentIndex(search_->text().trimmed().isEmpty() ? 0 : 1);
    Search();
  });
  connect(browser_, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) {
    const int page = book_.Find(S(url.toString()));
    if (page >= 0) Open(page);
  });
  setTabOrder(search_, contents_);
  setTabOrder(contents_, results_);
  setTabOrder(results_, browser_);
  ShowPage("index");
}

void TFormHelp::Open(int page) {
  const auto& pages = book_.Pages();
  if (page < 0 || page >= static_cast<int>(pages.size()) || page == current_) return;
  current_ = page;
  SetHelpPage(*browser_, pages[static_cast<size_t>(page)]);
  // Keep the contents in step when the page came from a link or a search.
  QTreeWidgetItemIterator it(contents_);
  for (; *it; ++it)
    if ((*it)->data(0, Qt::UserRole).toInt() == page) {
      QSignalBlocker block(contents_);
      contents_->setCurrentItem(*it);
      break;
    }
}

void TFormHelp::Search() {
  results_->clear();
  const auto hits = book_.Search(S(search_->text()));
  for (const THelpHit& h : hits) {
    const THelpPage& p = book_.Pages()[static_cast<size_t>(h.Page)];
    auto* item = new QListWidgetItem(Q(p.Title) + QLatin1Char('\n') + Q(h.Snippet), results_);
    item->setData(Qt::UserRole, h.Page);
    item->setToolTip(Q(h.Snippet));
  }
  if (hits.empty() && !search_->text().trimmed().isEmpty())
    new QListWidgetItem(QStringLiteral("Ничего не найдено"), results_);
}

void TFormHelp::ShowPage(const std::string& id) {
  int page = book_.Find(id);
  if (page < 0) page = book_.Find("index");
  Open(page);
  show();
  raise();
  activateWindow();
}

std::string TFormHelp::CurrentPage() const {
  const auto& pages = book_.Pages();
  if (current_ < 0 || current_ >= static_cast<int>(pages.size())) return {};
  return pages[static_cast<size_t>(current_)].Id;
}

}  // namespace kvarn
