#include "ui/form_main.h"

#include "ui/form_wait.h"

namespace kvarn {

TFormMain::TFormMain(TStartOptions options, QWidget* parent)
    : TTemplateMain(std::move(options), parent) {
  setObjectName(QStringLiteral("FormMain"));
  Create();
  wait_ = new TFormWait(this);
  Workspace().OnDownloadWaitText = [this](const std::string& text) { wait_->SetText(text); };
}

QString TFormMain::LotteryCaption() const {
  return QStringLiteral("Kvarn 5x36 — лотерея «5 из 36»");
}

void TFormMain::DownloadDraws() {
  Workspace().DrawsDownload();
}

QStringList TFormMain::DrawsColumns() const {
  return {QStringLiteral("Тираж"), QStringLiteral("1"), QStringLiteral("2"),
          QStringLiteral("3"),     QStringLiteral("4"), QStringLiteral("5"),
          QStringLiteral("E"),     QStringLiteral("S"), QStringLiteral("Дата тиража")};
}

QStringList TFormMain::CombsColumns() const {
  return {QStringLiteral("№ п.п."), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
          QStringLiteral("4"),      QStringLiteral("5"), QStringLiteral("S")};
}

}  // namespace kvarn
