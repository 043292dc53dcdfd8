#include "screens/TitleForm.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>

#include "platform/system/PassLoop.h"
#include "platform/windows/PaintAtOnce.h"
#include "rules/anim/Playfield.h"

TitleForm::TitleForm(QWidget* mainWindow) : mainWindow(mainWindow) {
  setWindowTitle(QStringLiteral("かなキャッチ"));
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  setAttribute(Qt::WA_DeleteOnClose);
  Timer1.setInterval(1000);
  connect(&Timer1, &QTimer::timeout, this, [this] {
    Timer1_Timer();
    platform::WakePassLoop();
  });
  Timer1.start();
}

void TitleForm::PaintTitle(QImage picture, QSize area) {
  // At the screen's full resolution, so the title stays crisp on a high-DPI
  // screen.
  const qreal ratio = devicePixelRatioF();
  title = picture.scaled(area * ratio, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  title.setDevicePixelRatio(ratio);
  // The picture as read goes before the window's backing store is made.
  picture = QImage();
  platform::PaintAtOnce(*this);
}

void TitleForm::Timer1_Timer() {
  ++TitleTicks;
  if (TitleTicks <= 10) return;
  Timer1.stop();
  TitleTicks = 0;
  HandOver();
  Unload();
}

void TitleForm::Form_MouseDown() {
  ShowMainForm();
  if (Timer1.isActive()) ClearPlayfield();
  Timer1.stop();
  Unload();
}

void TitleForm::Form_Unload() { HandOver(); }

void TitleForm::ShowMainForm() {
  // The title window closes next: its picture makes room for the main
  // window's before that comes up.
  title = QImage();
  // The main window also takes the keyboard, so the player's first Ctrl+G
  // reaches it.
  if (mainWindow) {
    mainWindow->show();
    mainWindow->activateWindow();
  }
}

void TitleForm::HandOver() {
  ShowMainForm();
  ClearPlayfield();
}

void TitleForm::Unload() { close(); }

void TitleForm::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().window());
  if (!title.isNull()) painter.drawImage(0, 0, title);
}

void TitleForm::mousePressEvent(QMouseEvent*) {
  Form_MouseDown();
  platform::WakePassLoop();
}

void TitleForm::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
    case Qt::Key_Escape:
      Form_MouseDown();
      platform::WakePassLoop();
      return;
    default:
      QWidget::keyPressEvent(event);
  }
}

void TitleForm::closeEvent(QCloseEvent* event) {
  // Whatever closes the window, the main window takes over, once.
  if (!handedOver) {
    handedOver = true;
    Form_Unload();
  }
  event->accept();
  platform::WakePassLoop();
}
