// The reference of the start-up benchmark: the least a Qt Widgets program does to put one
// frameless window of the main window's size on the screen. Prints "painted" at its first paint
// and ends.

#include <QApplication>
#include <QPainter>
#include <QWidget>
#include <iostream>

namespace {
class Window final : public QWidget {
 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter(this).fillRect(rect(), QColor(30, 31, 36));
    if (painted_) return;
    painted_ = true;
    std::cout << "painted" << std::endl;
    QCoreApplication::exit(0);
  }

 private:
  bool painted_ = false;
};
}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  Window window;
  window.setWindowFlags(Qt::FramelessWindowHint);
  window.resize(630, 451);
  window.show();
  return app.exec();
}
