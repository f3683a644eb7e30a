// TPage: one tab of the main window. The window holds its pages in a list and calls them in
// turn; a page owns its widgets and binds the commands that act on them.
//
// Adding a right-hand tab: derive a page class from TPage in ui/<tab>_page.{h,cpp}, override what
// it needs, and put it on its line of the list in right_pages.cpp (MakePage<TMyPage>). Nothing
// else in the window changes.
#pragma once

#include <QWidget>

namespace kvarn {

class TTemplateMain;
class TWindowStateStore;

class TPage : public QWidget {
  Q_OBJECT
 public:
  TPage(TTemplateMain& main, QWidget* parent) : QWidget(parent), main_(main) {}

  // Called once, after every page of the window exists: the page binds the handlers of its
  // commands and adds them to its widgets.
  virtual void BindCommands() {}
  // The page's inputs changed (the archive, the analysis point, the settings) or its tab was
  // shown. Unless forced, a page does nothing while its tab is hidden or its inputs are unchanged.
  virtual void Refresh(bool force) { (void)force; }
  // The list layouts, sizes and field values kept in the window-state file.
  virtual void RestoreState(const TWindowStateStore& st) { (void)st; }
  virtual void SaveState(TWindowStateStore& st) const { (void)st; }

 protected:
  TTemplateMain& main_;
};

}  // namespace kvarn
