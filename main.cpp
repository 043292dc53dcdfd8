#include <QApplication>

#include "app/MainForm.h"
#include "app/StartUp.h"
#include "platform/DisplayOpening.h"
#include "platform/LargeBlocks.h"

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
  MainForm form;
  Form_Load(form);
  return 0;
}
