// The statistics page's commands that test filters on history: "Проверить фильтр на истории"
// for the selected rows and "Подбор значений" for the selected method. Each asks its inputs,
// runs with a progress box whose "Стоп" ends the run, and shows the result window.
#pragma once

#include <QObject>
#include <QPointer>
#include <QProgressDialog>

#include "ui/form_filter_ask.h"
#include "ui/form_filter_test.h"

namespace kvarn {

class TStatsPage;
class TTemplateMain;

class TStatsFilterTests : public QObject {
  Q_OBJECT
 public:
  // Binds the two commands.
  TStatsFilterTests(TTemplateMain& main, TStatsPage& page);

  // The result window shown last, while it is open.
  TFormFilterTest* LastResult() const { return result_; }

 private:
  void RunTest();
  void RunSearch();
  // The progress box for the run ahead; the workspace reports to it until the run ends.
  void StartProgress(const QString& title);
  void EndProgress();
  void ShowResult(const TFilterReport& report);

  TTemplateMain& main_;
  TStatsPage& page_;
  TFilterAsk test_;    // inputs of the previous test
  TFilterAsk search_;  // and search
  QPointer<QProgressDialog> progress_;
  QPointer<TFormFilterTest> result_;
};

}  // namespace kvarn
