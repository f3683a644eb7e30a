#include <QApplication>
#include <QMainWindow>
#include <QStatusBar>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QMainWindow w;
  w.setWindowTitle(QStringLiteral("Лотерея 5 из 36"));
  w.statusBar()->showMessage(QStringLiteral("Архив тиражей: 0"));
  w.resize(1000, 700);
  w.show();
  return app.exec();
}
