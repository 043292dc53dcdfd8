#include "platform/system/ProgramFolder.h"

#include <QCoreApplication>
#include <QFileInfo>

#include "platform/system/Services.h"

namespace platform {
QString ProgramFolder() {
  if (const QString& chosen = CurrentServices().programFolder; !chosen.isEmpty()) return chosen;
  const QString folder = QCoreApplication::applicationDirPath();
  // A program started through a link to its folder still finds its data
  // beside the real executable.
  const QString canonical = QFileInfo(folder).canonicalFilePath();
  return canonical.isEmpty() ? folder : canonical;
}

}  // namespace platform
