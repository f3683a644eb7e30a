// "О программе": the program's name, icon and version, and the libraries it is built on with
// their licences.
#pragma once

#include <QDialog>
#include <vector>

#include "core/about.h"

namespace kvarn {

// The engine's libraries and the toolkit's, as the window lists them.
std::vector<TLibraryInfo> ProgramLibraries();

class TFormAbout : public QDialog {
  Q_OBJECT
 public:
  explicit TFormAbout(QWidget* parent = nullptr);
};

}  // namespace kvarn
