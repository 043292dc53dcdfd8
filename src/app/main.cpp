#include <QApplication>

#include "app/MainForm.h"
#include "app/StartUp.h"
#include "platform/drawing/LargeBlocks.h"
#include "platform/system/Services.h"
#include "platform/windows/DisplayOpening.h"
#include "platform/windows/MessageBox.h"

int main(int argc, char* argv[]) {
  platform::GiveFreedPicturesBack();
  const auto app = platform::OpenApplication(argc, argv);
  // The kept settings go to kanacatch/kanacatch.conf in the user's
  // configuration folder, named after these.
  QApplication::setOrganizationName(QStringLiteral("kanacatch"));
  QApplication::setOrganizationDomain(QStringLiteral("kanacatch.org"));
  QApplication::setApplicationName(QStringLiteral("kanacatch"));
  QApplication::setApplicationDisplayName(QStringLiteral("かなキャッチ"));
  // The program decides itself when it ends: after its main loop.
  QApplication::setQuitOnLastWindowClosed(false);
  // The program's services: its message box, unless something set up before
  // start-up chose where messages go; the main window hands over its text
  // box and playfield as it is built. The rest are the platform's own: the
  // clock, the generator, the sound module, the synthesizer, the screen.
  static platform::MessageBoxSink messageBox;
  platform::ChangeServices([](platform::Services& services) {
    if (!services.messages) services.messages = &messageBox;
  });
  MainForm form;
  Form_Load(form);
  return 0;
}
