// The wait window: a small modeless box that shows what a long network operation is doing
// (the download's attempt and proxy) while the main window stays responsive.
#pragma once

#include <QDialog>
#include <string>

class QLabel;

namespace kvarn {

class TFormWait : public QDialog {
  Q_OBJECT
 public:
  explicit TFormWait(QWidget* parent);
  // A non-empty text shows the window with it; an empty text hides it.
  void SetText(const std::string& text);
  QString Text() const;

 private:
  QLabel* label_;
};

}  // namespace kvarn
