#include "platform/windows/MessageBox.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdlib>

namespace platform {

void MessageBoxSink::Show(const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, QApplication::applicationDisplayName(), text,
                  QMessageBox::Ok);
  box.exec();
}

void MessageBoxSink::End() { std::_Exit(1); }

}  // namespace platform
