#include <QApplication>

#include "app/MainForm.h"
#include "app/StartUp.h"
#include "platform/DisplayOpening.h"
#include "platform/LargeBlocks.h"

int main(int argc, char* argv[]) {
  platform::GiveFreedPicturesBack();
  const auto app = platform::OpenApplication(argc, argv);
  QApplication::setApplicationName(QStringLiteral("kanacatch"));
  QApplication::setApplicationDisplayName(QStringLiteral("かなキャッチ"));
  // The program decides itself when it ends: after its main loop.
  QApplication::setQuitOnLastWindowClosed(false);
  MainForm form;
  Form_Load(form);
  return 0;
}
