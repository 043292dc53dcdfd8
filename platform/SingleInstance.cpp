#include "platform/SingleInstance.h"

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

namespace platform {
namespace {

QString chosenLockFolder;

}  // namespace

void UseLockFolder(const QString& folder) { chosenLockFolder = folder; }

SingleInstance::SingleInstance(const QString& lockFolder) {
  QString folder = lockFolder.isEmpty() ? chosenLockFolder : lockFolder;
  if (folder.isEmpty()) folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (folder.isEmpty()) folder = QDir::tempPath();
  QDir().mkpath(folder);
  lock = std::make_unique<QLockFile>(QDir(folder).filePath("kanacatch.lock"));
  // Only a lock whose process is gone is stale, however old it is.
  lock->setStaleLockTime(0);
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::Acquire() {
  if (lock->isLocked()) return true;
  if (lock->tryLock(0)) return true;
  // tryLock removes a stale lock by itself; a lock that could not be
  // written at all (no runtime folder) must not keep the game from starting.
  return lock->error() != QLockFile::LockFailedError;
}

}  // namespace platform
