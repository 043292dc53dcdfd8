#include "platform/ProgramFolder.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace platform {
namespace {

QString installedFolder;

}  // namespace

QString ProgramFolder() {
  if (!installedFolder.isEmpty()) return installedFolder;
  const QString folder = QCoreApplication::applicationDirPath();
  // A program started through a link to its folder still finds its data
  // beside the real executable.
  const QString canonical = QFileInfo(folder).canonicalFilePath();
  return canonical.isEmpty() ? folder : canonical;
}

void UseProgramFolder(const QString& folder) { installedFolder = folder; }

}  // namespace platform
