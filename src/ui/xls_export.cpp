#include "ui/xls_export.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QProgressDialog>
#include <QStandardPaths>

#include "ui/qt_host.h"
#include "ui/window_state.h"

namespace kvarn {

namespace {
constexpr const char* ExportDirKey = "XlsExportDir";
}

bool WriteWithProgress(QWidget* parent, const std::string& file, const TXlsWrite& write) {
  QProgressDialog progress(QStringLiteral("Экспорт в файл..."), QStringLiteral("Отмена"), 0, 100,
                           parent);
  progress.setObjectName(QStringLiteral("ExportProgress"));
  progress.setWindowTitle(QStringLiteral("Экспорт"));
  progress.setWindowModality(Qt::WindowModal);
  // Short exports finish before the window would flash up.
  progress.setMinimumDuration(400);
  progress.setAutoClose(false);
  progress.setAutoReset(false);
  const bool done = write(file, [&progress](size_t rows, size_t total) {
    progress.setMaximum(static_cast<int>(std::max<size_t>(total, 1)));
    progress.setValue(static_cast<int>(rows));
    progress.setLabelText(QStringLiteral("Экспорт в файл... %1 из %2").arg(rows).arg(total));
    QApplication::processEvents();
    return !progress.wasCanceled();
  });
  progress.close();
  return done;
}

QString AskExportFile(QWidget* parent, TWindowStateStore& state, const QString& title,
                      const QString& suggestedName, const QString& filter, const QString& suffix) {
  QString dir = Q(state.Text(ExportDirKey, ""));
  if (dir.isEmpty() || !QFileInfo(dir).isDir())
    dir = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  QFileDialog dlg(parent, title, QDir(dir).filePath(suggestedName), filter);
  dlg.setObjectName(QStringLiteral("ExportDialog"));
  dlg.setAcceptMode(QFileDialog::AcceptSave);
  dlg.setDefaultSuffix(suffix);
  if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return {};
  const QString file = dlg.selectedFiles().first();
  state.SetText(ExportDirKey, S(QFileInfo(file).absolutePath()));
  return file;
}

void RunXlsExport(QWidget* parent, TWindowStateStore& state, const QString& suggestedName,
                  const TXlsWrite& write) {
  const QString file =
      AskExportFile(parent, state, QStringLiteral("Экспорт в Microsoft Excel"), suggestedName,
                    QStringLiteral("Электронные таблицы (*.xlsx)"), QStringLiteral("xlsx"));
  if (!file.isEmpty()) WriteWithProgress(parent, S(file), write);
}

}  // namespace kvarn
