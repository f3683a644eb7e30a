// The window tests run on the offscreen platform inside one QApplication.
#include <gtest/gtest.h>

#include <QApplication>
#include <clocale>
#include <cstdlib>

// Failures that the model tester reports as warnings of its category.
int gModelTestFailures = 0;

namespace {
QtMessageHandler gPrevious = nullptr;
void CountModelTestFailures(QtMsgType type, const QMessageLogContext& ctx, const QString& msg) {
  if (type == QtWarningMsg && ctx.category && qstrcmp(ctx.category, "qt.modeltest") == 0)
    ++gModelTestFailures;
  if (gPrevious) gPrevious(type, ctx, msg);
}
}  // namespace

int main(int argc, char** argv) {
  gPrevious = qInstallMessageHandler(CountModelTestFailures);
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  std::setlocale(LC_NUMERIC, "C");  // as the program does
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
