#include "platform/MessageBox.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdlib>

namespace platform {
namespace {

MessageSink* installedSink = nullptr;

}  // namespace

void ShowMessage(const QString& text) {
  if (installedSink) {
    installedSink->Show(text);
    return;
  }
  QMessageBox box(QMessageBox::NoIcon, QApplication::applicationDisplayName(), text,
                  QMessageBox::Ok);
  box.exec();
}

void EndProgram() {
  if (installedSink) {
    installedSink->End();
    return;
  }
  std::_Exit(1);
}

void UseMessageSink(MessageSink* sink) { installedSink = sink; }

}  // namespace platform
