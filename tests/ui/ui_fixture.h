// A data directory with a small archive, a window over it, and the messages it showed.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <filesystem>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "common/archives.h"
#include "common/data_dir_test.h"
#include "core/config.h"
#include "core/draws.h"
#include "core/files.h"
#include "core/text.h"
#include "ui/form_main.h"
#include "ui/qt_host.h"

extern int gModelTestFailures;

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) {
  *os << '"' << s.toStdString() << '"';
}
QT_END_NAMESPACE

namespace kvarn::test {

inline TDrawsArray MakeDraws(int count, int firstNumber = 1000) {
  return ArchiveOf(count, firstNumber, SpreadOfFive, 0, "01.02.2020 21:00");
}

class TUiTest : public TDataDirTest {
 protected:
  void SetUp() override {
    // No download at start-up: the tests have no web archive.
    WindowStateWriteInt(PathJoin(dir_, WindowStateFileName), "DownloadDrawsOnStart", 2);
  }
  void TearDown() override { windows_.clear(); }

  void WriteDraws(const TDrawsArray& draws) { WriteArchive(dir_, draws); }

  // A window over the directory, initialised as the one-shot timer would; false when start-up
  // decided to end the program.
  TFormMain& Open(bool* running = nullptr, TStartSwitches switches = {}) {
    TStartOptions o;
    o.dataDir = dir_;
    o.switches = switches;
    o.autoInit = false;
    o.messageHook = [this](const TQtHost::TShown& m) {
      shown.push_back(m);
      return answer;
    };
    windows_.push_back(std::make_unique<TFormMain>(o));
    TFormMain& w = *windows_.back();
    bool ok = w.Initialize();
    if (running) *running = ok;
    return w;
  }
  // The window shown and active, so that keys reach the focused widget.
  static bool ShowActive(TFormMain& w) {
    w.show();
    w.activateWindow();
    return QTest::qWaitForWindowActive(&w);
  }
  void Close(TFormMain& w) {
    for (auto it = windows_.begin(); it != windows_.end(); ++it)
      if (it->get() == &w) {
        windows_.erase(it);
        return;
      }
  }

  // Runs `action` on the modal dialog of type D that `open` shows. A dialog may process events
  // while it is built (a status text is painted), so the test waits until it is the shown modal
  // window; one that never comes fails the test and whatever other dialog is open is closed, so
  // that `open` returns.
  template <class D>
  static void WithDialog(const std::function<void()>& open, const std::function<void(D&)>& action) {
    bool seen = false;
    int ticks = 0;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
      QWidget* modal = QApplication::activeModalWidget();
      auto* d = qobject_cast<D*>(modal);
      if (d && d->isVisible()) {
        poll.stop();
        seen = true;
        action(*d);
      } else if (++ticks > 1000) {
        poll.stop();
        ADD_FAILURE() << "the dialog did not open; the modal window is "
                      << (modal ? modal->metaObject()->className() : "none");
        if (auto* other = qobject_cast<QDialog*>(modal)) other->reject();
      }
    });
    poll.start();
    open();
    poll.stop();
    EXPECT_TRUE(seen);
  }

  // The same for a window that shows after work that lets events run (a status text, a progress
  // window): the action waits until the dialog is the active modal window and `ready` says its
  // own work is done (the poll may fire inside that work, while it lets events run). The dialog
  // is closed afterwards, so that a failed check cannot leave the test waiting.
  template <class D>
  static void WhenShown(const std::function<void()>& open, const std::function<void(D&)>& action,
                        const std::function<bool(D&)>& ready = {}) {
    QTimer poll;
    bool seen = false;
    QObject::connect(&poll, &QTimer::timeout, [&] {
      auto* d = qobject_cast<D*>(QApplication::activeModalWidget());
      if (!d || seen || (ready && !ready(*d))) return;
      seen = true;
      poll.stop();
      action(*d);
      if (d->isVisible()) d->close();
    });
    poll.start(20);
    open();
    EXPECT_TRUE(seen);
  }

  std::vector<std::string> Texts() const {
    std::vector<std::string> t;
    for (const auto& m : shown) t.push_back(m.text);
    return t;
  }

  std::vector<TQtHost::TShown> shown;
  bool answer = true;

 private:
  std::vector<std::unique_ptr<TFormMain>> windows_;
};

}  // namespace kvarn::test
