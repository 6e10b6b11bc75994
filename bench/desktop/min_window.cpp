// The reference of the start-up benchmark: the least a Qt Widgets program does to put one
// frameless window of the main window's size on the screen. Prints "painted" at its first paint
// and ends, or with --stay goes on showing it (for first pixels on the screen and memory).

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
    if (!stay) QCoreApplication::exit(0);
  }

 public:
  bool stay = false;

 private:
  bool painted_ = false;
};
}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  Window window;
  window.stay = QCoreApplication::arguments().contains("--stay");
  window.setWindowFlags(Qt::FramelessWindowHint);
  window.resize(630, 451);
  window.show();
  return app.exec();
}
