#include "ui/shared_keys.h"

#include <QApplication>
#include <QKeyEvent>

#include "ui/commands.h"

namespace kvarn {

TSharedKeys::TSharedKeys(QWidget* window, TCommandList& commands)
    : QObject(window), window_(window), commands_(commands) {
  qApp->installEventFilter(this);
}

void TSharedKeys::Share(std::vector<TUser> users) {
  TGroup g;
  for (const TUser& u : users) {
    QAction* a = commands_.Action(u.command);
    if (!a) continue;
    if (g.key.isEmpty()) g.key = a->shortcut();
    g.commands.push_back(u.command);
    g.places.emplace_back(u.place);
  }
  if (!g.key.isEmpty()) groups_.push_back(std::move(g));
}

const TSharedKeys::TGroup* TSharedKeys::GroupOf(const QKeySequence& key) const {
  for (const TGroup& g : groups_)
    if (g.key == key) return &g;
  return nullptr;
}

std::string TSharedKeys::Resolve(const QKeySequence& key, const QWidget* focus) const {
  const TGroup* g = GroupOf(key);
  if (!g) return {};
  auto enabled = [this](const std::string& name) {
    QAction* a = commands_.Action(name);
    return a && a->isEnabled();
  };
  // First the commands whose place holds the focus, then the ones that act anywhere.
  for (size_t i = 0; i < g->commands.size(); ++i) {
    const QWidget* place = g->places[i];
    if (place && focus && (place == focus || place->isAncestorOf(focus)) && enabled(g->commands[i]))
      return g->commands[i];
  }
  for (size_t i = 0; i < g->commands.size(); ++i)
    if (!g->places[i] && enabled(g->commands[i])) return g->commands[i];
  return {};
}

bool TSharedKeys::eventFilter(QObject* o, QEvent* e) {
  if (e->type() != QEvent::ShortcutOverride && e->type() != QEvent::KeyPress) return false;
  auto* w = qobject_cast<QWidget*>(o);
  if (!w || !window_ || w->window() != window_) return false;
  auto* k = static_cast<QKeyEvent*>(e);
  const QKeySequence key(k->keyCombination());
  if (!GroupOf(key)) return false;
  // The window's shortcuts would see two commands on the key and run neither: the key is taken
  // here and goes to the command of the focus's place.
  e->accept();
  if (e->type() == QEvent::KeyPress) {
    const std::string name = Resolve(key, w);
    if (!name.empty()) commands_.Execute(name);
  }
  return true;
}

}  // namespace kvarn
