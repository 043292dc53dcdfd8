#include "rules/media/DataFolder.h"

#include "platform/system/ProgramFolder.h"

QString DataFolderOf(const QString& programFolder) {
  const QChar separator = QLatin1Char('/');
  QString folder = programFolder;
  if (!folder.endsWith(separator)) folder += separator;
  return folder + QStringLiteral("Deta") + separator;
}

QString DataFolder() { return DataFolderOf(platform::ProgramFolder()); }
