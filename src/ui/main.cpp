#include <QApplication>
#include <QTimer>
#include <clocale>
#include <cstdlib>

#include "app/startup_switches.h"
#include "core/paths.h"
#include "ui/form_main.h"
#include "ui/program_icon.h"
#include "ui/qt_host.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  // The desktop entry's name ties the window to its menu item and icon.
  QGuiApplication::setDesktopFileName(QStringLiteral("kvarn-5x36"));
  QApplication::setWindowIcon(kvarn::ProgramIcon());
  // The toolkit switches the C library to the system locale; reals are always written with ".",
  // which a Russian locale would turn into "," in every printf-formatted number.
  std::setlocale(LC_NUMERIC, "C");
  kvarn::InstallToolkitTranslation(app);
  std::vector<std::string> args(argv + 1, argv + argc);
  kvarn::TStartOptions options;
  options.switches = kvarn::ParseStartSwitches(args);
  const char* envDir = std::getenv("KVARN_DATA_DIR");
  std::string explicitDir = !options.switches.dir.empty() ? options.switches.dir
                            : envDir                      ? std::string(envDir)
                                                          : std::string();
  options.dataDir = kvarn::ResolveDataDir(explicitDir, kvarn::ProgramDir());
  kvarn::EnsureDir(options.dataDir);

  kvarn::TFormMain window(options);
  QObject::connect(&window, &kvarn::TTemplateMain::EndProgram, &app,
                   [&app] { QTimer::singleShot(0, &app, [&app] { app.exit(1); }); });
  if (window.EndRequested()) return 1;
  window.show();
  return app.exec();
}
