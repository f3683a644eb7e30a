// TFormMain: the 5-of-36 window. It names the lottery, gives the columns of the draws and
// combination lists and owns the download of draws; everything else is the template's.
#pragma once

#include "ui/template_main.h"

namespace kvarn {

class TFormWait;

class TFormMain : public TTemplateMain {
  Q_OBJECT
 public:
  explicit TFormMain(TStartOptions options, QWidget* parent = nullptr);

 protected:
  QString LotteryCaption() const override;
  int LeftPanelDesignWidth() const override { return 335; }
  QStringList DrawsColumns() const override;
  QStringList CombsColumns() const override;
  void DownloadDraws() override;

 public:
  // The download's wait window; hidden while no download runs.
  TFormWait& WaitWindow() { return *wait_; }

 private:
  TFormWait* wait_ = nullptr;
};

}  // namespace kvarn
