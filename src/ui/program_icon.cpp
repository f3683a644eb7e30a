#include "ui/program_icon.h"

#include <QString>

// The resources live in a static library: naming their initialiser keeps them in the program.
static void InitProgramResources() {
  Q_INIT_RESOURCE(kvarn);
}

namespace kvarn {

QIcon ProgramIcon() {
  InitProgramResources();
  QIcon icon;
  for (const char* name : {"kvarn-5x36-16", "kvarn-5x36-32", "kvarn-5x36-48", "kvarn-5x36"})
    icon.addFile(QStringLiteral(":/kvarn/%1.png").arg(QLatin1String(name)));
  return icon;
}

}  // namespace kvarn
