#include "ui/stats_filter_tests.h"

#include <QProgressDialog>
#include <QPushButton>

#include "app/workspace.h"
#include "stats/filter_report.h"
#include "ui/form_filter_test.h"
#include "ui/list_view.h"
#include "ui/stats_page.h"
#include "ui/template_main.h"

namespace kvarn {

TStatsFilterTests::TStatsFilterTests(TTemplateMain& main, TStatsPage& page)
    : QObject(&page), main_(main), page_(page) {
  search_.Draws = 200;
  TWorkspace& ws = main_.Workspace();
  TCommandList& c = main_.Commands();
  c.Bind(
      "StatFilterTest",
      [this, &ws] {
        return ws.DrawsCount() > 1 && ws.StatSelected() >= 0 && page_.Table()->selectionModel() &&
               page_.Table()->selectionModel()->hasSelection();
      },
      [this] { RunTest(); });
  c.Bind(
      "StatValueSearch", [&ws] { return ws.DrawsCount() > 2 && ws.StatSelected() >= 0; },
      [this] { RunSearch(); });
}

namespace {

// The method line as the statistics box shows it.
std::string MethodCaption(TWorkspace& ws) {
  return ws.MethodBoxes().Stat.at(static_cast<size_t>(ws.StatSelected())).Text;
}

}  // namespace

void TStatsFilterTests::RunTest() {
  TWorkspace& ws = main_.Workspace();
  ws.CreateSelected(false);  // raises when no method is selected
  const std::vector<std::string> texts = ws.StatRowTexts(SelectedRows(page_.Table()));
  const int len = page_.LenField()->value();
  TFormFilterAsk ask(TFormFilterAsk::amTest, test_, &main_);
  if (ask.exec() != QDialog::Accepted) return;
  test_ = ask.Result();
  StartProgress(QStringLiteral("Проверка фильтра на истории"));
  TFilterTestResult r;
  try {
    r = ws.FilterTest(ws.StatSelectedEntry(), texts, test_.Exclude, len, test_.Draws);
  } catch (...) {
    EndProgress();
    throw;
  }
  EndProgress();
  ShowResult(FilterTestReport(MethodCaption(ws), texts, test_.Exclude, len, test_.Draws, r));
}

void TStatsFilterTests::RunSearch() {
  TWorkspace& ws = main_.Workspace();
  ws.CreateSelected(false);
  const int len = page_.LenField()->value();
  TFormFilterAsk ask(TFormFilterAsk::amSearch, search_, &main_);
  if (ask.exec() != QDialog::Accepted) return;
  search_ = ask.Result();
  StartProgress(QStringLiteral("Подбор значений"));
  TValueSearchResult r;
  try {
    r = ws.ValueSearch(ws.StatSelectedEntry(), len, search_.Draws, search_.Budget);
  } catch (...) {
    EndProgress();
    throw;
  }
  EndProgress();
  ShowResult(ValueSearchReport(MethodCaption(ws), len, search_.Budget, search_.Draws, r));
}

void TStatsFilterTests::StartProgress(const QString& title) {
  TWorkspace& ws = main_.Workspace();
  progress_ = new QProgressDialog(&main_);
  progress_->setObjectName(QStringLiteral("FilterTestProgress"));
  progress_->setWindowTitle(title);
  progress_->setLabelText(title + QStringLiteral("..."));
  progress_->setCancelButtonText(QStringLiteral("Стоп"));
  progress_->setWindowModality(Qt::ApplicationModal);
  progress_->setMinimumDuration(0);
  progress_->setMinimumWidth(420);
  progress_->setAutoClose(false);
  progress_->setAutoReset(false);
  connect(progress_, &QProgressDialog::canceled, this, [&ws] { ws.FilterTestStop(); });
  progress_->show();
  ws.OnFilterTestProgress = [this](int done, int total) {
    if (!progress_) return;
    progress_->setMaximum(total);
    progress_->setValue(done);
  };
}

void TStatsFilterTests::EndProgress() {
  main_.Workspace().OnFilterTestProgress = nullptr;
  if (progress_) {
    // Closing the box reports a cancel; the run is over by now.
    progress_->disconnect(this);
    progress_->close();
    progress_->deleteLater();
  }
}

void TStatsFilterTests::ShowResult(const TFilterReport& report) {
  auto* w = new TFormFilterTest(report, &main_);
  w->setAttribute(Qt::WA_DeleteOnClose);
  // A window of its own: the person may keep several results open beside the main window.
  w->setWindowFlag(Qt::Window);
  result_ = w;
  w->show();
}

}  // namespace kvarn
