// The command set of the main window: every user operation is a named QAction with a category,
// a caption, an optional shortcut, an update rule and an execute handler. Menus and buttons only
// refer to commands by name.
#pragma once

#include <QAction>
#include <QKeySequence>
#include <QObject>
#include <QString>
#include <QWidget>
#include <functional>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

#include "app/host.h"

namespace kvarn {

struct TCommandDef {
  const char* name;
  const char* category;
  const char* caption;
  const char* shortcut;  // portable text form ("Ctrl+F7"); empty when none
  bool checkable;
};

class TCommandList : public QObject {
  Q_OBJECT
 public:
  using TUpdate = std::function<bool()>;
  using TChecked = std::function<bool()>;
  using TExecute = std::function<void()>;

  TCommandList(QObject* parent, IHost& host);

  // Creates the actions of the table; every command starts without handlers (disabled).
  void AddAll(const std::vector<TCommandDef>& defs);

  QAction* Action(const std::string& name) const;
  // Binds the handlers of a command. `update` returns whether the command may run now (the busy
  // state is checked before it); `checked` gives the checked state of a checkable command.
  void Bind(const std::string& name, TUpdate update, TExecute execute, TChecked checked = {});
  // A command that stays usable while the program is busy (the scenario stop).
  void IgnoreBusy(const std::string& name);
  // A second action under another caption that mirrors and runs the same command.
  QAction* Alias(const std::string& name, const QString& caption);

  // Adds the commands to a widget (its context menu, and the place their keys act in); nullptr
  // stands for a separator.
  void AddToWidget(QWidget* widget, std::initializer_list<const char*> names);

  // Runs every update handler: a command is enabled only while the program is not busy (unless it
  // ignores the busy state) and its own rule allows it.
  void UpdateAll();
  // Runs a command's execute handler when its update rule allows it; failures are shown.
  bool Execute(const std::string& name);

  std::vector<std::string> Names() const;
  std::string CategoryOf(const std::string& name) const;

 private:
  struct TCommand {
    QAction* action = nullptr;
    std::string category;
    TUpdate update;
    TChecked checked;
    TExecute execute;
    bool ignoresBusy = false;
    std::vector<QAction*> aliases;
  };
  TCommand* Find(const std::string& name);
  const TCommand* Find(const std::string& name) const;
  void Run(TCommand& c);
  bool Allowed(const TCommand& c) const;

  IHost& host_;
  std::map<std::string, TCommand> commands_;
  std::vector<std::string> order_;
};

// The table of every command of the window, in menu order.
const std::vector<TCommandDef>& MainCommandTable();

}  // namespace kvarn
