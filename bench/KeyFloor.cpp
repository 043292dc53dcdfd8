// The least a Qt window does for a key, for bench/run.sh to type into as it
// types into the game: a window that counts the keys pressed in it and shows
// the count, repainting only the count's small rectangle; with "--no-paint"
// it repaints nothing. What its keys cost is what any Qt window's keys cost
// on the machine, the X server's events and Qt's handling of them.
#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QWidget>
#include <cstring>

namespace {

class KeyCounter : public QWidget {
 public:
  explicit KeyCounter(bool paints) : paints(paints) {
    setFocusPolicy(Qt::StrongFocus);
    setWindowTitle(QStringLiteral("key floor"));
  }

 protected:
  void keyPressEvent(QKeyEvent*) override {
    ++keys;
    if (paints) update(countArea);
  }
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.drawText(countArea, Qt::AlignCenter, QString::number(keys));
  }

 private:
  const QRect countArea{10, 10, 60, 20};
  const bool paints;
  int keys = 0;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  KeyCounter window(!(argc > 1 && std::strcmp(argv[1], "--no-paint") == 0));
  window.resize(640, 480);
  window.show();
  return app.exec();
}
