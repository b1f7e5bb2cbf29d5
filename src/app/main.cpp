#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QMainWindow w;
  w.setWindowTitle("TRIVOLUX VR Scope V1.2");
  w.resize(790, 548);
  w.show();
  return app.exec();
}
