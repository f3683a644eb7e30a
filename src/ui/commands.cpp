#include "ui/commands.h"

#include <QKeySequence>
#include <exception>

#include "core/text.h"

namespace kvarn {

TCommandList::TCommandList(QObject* parent, IHost& host) : QObject(parent), host_(host) {}

void TCommandList::AddAll(const std::vector<TCommandDef>& defs) {
  for (const auto& d : defs) {
    if (commands_.count(d.name)) continue;
    auto* a = new QAction(QString::fromUtf8(d.caption), parent());
    a->setObjectName(QString::fromUtf8(d.name));
    a->setProperty("category", QString::fromUtf8(d.category));
    if (d.shortcut && *d.shortcut) {
      const QKeySequence key(QString::fromUtf8(d.shortcut));
      // The keypad's Enter, which menus name, and the main Return key both run the command.
      if (key.count() == 1 && key[0].key() == Qt::Key_Enter)
        a->setShortcuts({key, QKeySequence(key[0].keyboardModifiers() | Qt::Key_Return)});
      else
        a->setShortcut(key);
    }
    a->setCheckable(d.checkable);
    a->setEnabled(false);
    TCommand c;
    c.action = a;
    c.category = d.category;
    std::string name = d.name;
    connect(a, &QAction::triggered, this, [this, name] {
      if (auto* cmd = Find(name)) Run(*cmd);
    });
    commands_.emplace(name, std::move(c));
    order_.push_back(name);
  }
}

TCommandList::TCommand* TCommandList::Find(const std::string& name) {
  auto it = commands_.find(name);
  return it == commands_.end() ? nullptr : &it->second;
}

const TCommandList::TCommand* TCommandList::Find(const std::string& name) const {
  auto it = commands_.find(name);
  return it == commands_.end() ? nullptr : &it->second;
}

QAction* TCommandList::Action(const std::string& name) const {
  const TCommand* c = Find(name);
  return c ? c->action : nullptr;
}

void TCommandList::Bind(const std::string& name, TUpdate update, TExecute execute,
                        TChecked checked) {
  TCommand* c = Find(name);
  if (!c) return;
  c->update = std::move(update);
  c->execute = std::move(execute);
  c->checked = std::move(checked);
}

void TCommandList::IgnoreBusy(const std::string& name) {
  if (TCommand* c = Find(name)) c->ignoresBusy = true;
}

QAction* TCommandList::Alias(const std::string& name, const QString& caption) {
  TCommand* c = Find(name);
  if (!c) return nullptr;
  auto* a = new QAction(caption, parent());
  a->setCheckable(c->action->isCheckable());
  a->setEnabled(false);
  connect(a, &QAction::triggered, this, [this, name] {
    if (auto* cmd = Find(name)) Run(*cmd);
  });
  c->aliases.push_back(a);
  return a;
}

bool TCommandList::Allowed(const TCommand& c) const {
  if (!c.execute) return false;
  if (!c.ignoresBusy && host_.BusyCount() > 0) return false;
  return !c.update || c.update();
}

void TCommandList::AddToWidget(QWidget* widget, std::initializer_list<const char*> names) {
  for (const char* n : names) {
    if (!n) {
      auto* sep = new QAction(widget);
      sep->setSeparator(true);
      widget->addAction(sep);
    } else if (QAction* a = Action(n)) {
      widget->addAction(a);
    }
  }
}

void TCommandList::UpdateAll() {
  for (auto& [name, c] : commands_) {
    bool enabled = false;
    try {
      enabled = Allowed(c);
    } catch (const std::exception&) {
      enabled = false;
    }
    bool checked = c.checked ? c.checked() : false;
    for (QAction* a : c.aliases) a->setEnabled(enabled);
    if (c.action->isEnabled() != enabled) c.action->setEnabled(enabled);
    if (c.action->isCheckable()) {
      c.action->setChecked(checked);
      for (QAction* a : c.aliases) a->setChecked(checked);
    }
  }
}

void TCommandList::Run(TCommand& c) {
  // A triggered checkable action has already flipped its state; the command decides it.
  if (c.action->isCheckable()) c.action->setChecked(c.checked ? c.checked() : false);
  if (!Allowed(c)) return;
  try {
    c.execute();
  } catch (const std::exception& e) {
    ShowError(host_, e.what());
  }
  UpdateAll();
}

bool TCommandList::Execute(const std::string& name) {
  TCommand* c = Find(name);
  if (!c || !Allowed(*c)) return false;
  Run(*c);
  return true;
}

std::vector<std::string> TCommandList::Names() const {
  return order_;
}

std::string TCommandList::CategoryOf(const std::string& name) const {
  const TCommand* c = Find(name);
  return c ? c->category : std::string();
}

}  // namespace kvarn
