// Keys that several commands share (F7 by the favourites manager and the statistics filter,
// Alt+F4 by the exit and the stakes of the selected combinations, ...). A key goes by where the
// focus is: to the first of its commands whose place holds the focus and that may run now, else
// to one without a place that may run; every command shows the key in its menus.
#pragma once

#include <QKeySequence>
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <string>
#include <vector>

namespace kvarn {

class TCommandList;

class TSharedKeys : public QObject {
  Q_OBJECT
 public:
  // A command and the widget whose focus it takes the key in; none: wherever the focus is.
  struct TUser {
    std::string command;
    QWidget* place = nullptr;
  };

  // Keys pressed inside `window` are resolved here; the object watches the application's key
  // events for the window's life.
  TSharedKeys(QWidget* window, TCommandList& commands);

  // The users of one key, the ones with a place first. The key is the first user's shortcut.
  void Share(std::vector<TUser> users);
  // The command the key runs with the focus on `focus`; empty when none may run.
  std::string Resolve(const QKeySequence& key, const QWidget* focus) const;

 protected:
  bool eventFilter(QObject* o, QEvent* e) override;

 private:
  struct TGroup {
    QKeySequence key;
    std::vector<std::string> commands;
    std::vector<QPointer<QWidget>> places;
  };
  const TGroup* GroupOf(const QKeySequence& key) const;

  QPointer<QWidget> window_;
  TCommandList& commands_;
  std::vector<TGroup> groups_;
};

}  // namespace kvarn
