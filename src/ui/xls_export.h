// The window's spreadsheet export: a save dialog for the .xlsx file, then the writing with a
// progress window whose "Отмена" stops it (nothing is written then).
#pragma once

#include <QString>
#include <QWidget>
#include <functional>
#include <string>

#include "core/sheet.h"

namespace kvarn {

class TWindowStateStore;

using TXlsWrite = std::function<bool(const std::string& file, const TSheetProgress& progress)>;

// The save dialog of the exports: it starts in the folder of the last export (kept in the window
// state) with the suggested name, and adds `suffix` to a name typed without it. The chosen file,
// or empty when cancelled.
QString AskExportFile(QWidget* parent, TWindowStateStore& state, const QString& title,
                      const QString& suggestedName, const QString& filter, const QString& suffix);

// The dialog starts in the folder of the last export (kept in the window state) with the
// suggested name; the file gets ".xlsx" when typed without it.
void RunXlsExport(QWidget* parent, TWindowStateStore& state, const QString& suggestedName,
                  const TXlsWrite& write);

// The progress window alone, for callers that have their file.
bool WriteWithProgress(QWidget* parent, const std::string& file, const TXlsWrite& write);

}  // namespace kvarn
