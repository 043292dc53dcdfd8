#pragma once
#include <QImage>
#include <QTimer>
#include <QWidget>

// The title window: the first window the player sees. It shows the title
// picture until its timer has ticked eleven times or a mouse button,
// Enter, Space or Escape is pressed on it, then hands over to the main
// window, exactly once.
class TitleForm : public QWidget {
 public:
  // `mainWindow` is the window the title hands over to.
  explicit TitleForm(QWidget* mainWindow);

  // Draws `picture` once at (0, 0), stretched to `area` (the main window's
  // inner width, and its inner height plus 20), and puts it on the screen
  // at once. `picture` is not kept: it is let go before the window's own
  // memory is taken, when it is the last copy.
  void PaintTitle(QImage picture, QSize area);

  void Timer1_Timer();
  void Form_MouseDown();
  void Form_Unload();

  QTimer Timer1;
  int16_t TitleTicks = 0;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  // Enter, Space and Escape do what a click does.
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  // Shows the main window with the bare background.
  void HandOver();
  void ShowMainForm();
  void Unload();

  QWidget* mainWindow;
  QImage title;
  bool handedOver = false;
};
