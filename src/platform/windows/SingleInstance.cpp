#include "platform/windows/SingleInstance.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <QWidget>

#include "platform/system/Services.h"

namespace platform {
namespace {

// Long enough for a running copy's socket to accept, short enough that a
// copy which hangs does not hold up the message of the one that called it.
constexpr int CallTimeoutMs = 300;

}  // namespace

SingleInstance::SingleInstance(const QString& lockFolder) {
  QString folder = lockFolder.isEmpty() ? CurrentServices().lockFolder : lockFolder;
  if (folder.isEmpty()) folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (folder.isEmpty()) folder = QDir::tempPath();
  QDir().mkpath(folder);
  lock = std::make_unique<QLockFile>(QDir(folder).filePath("kanacatch.lock"));
  // Only a lock whose process is gone is stale, however old it is.
  lock->setStaleLockTime(0);
  socketPath = QDir(folder).filePath("kanacatch.socket");
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::Acquire() {
  if (lock->isLocked()) return true;
  if (lock->tryLock(0)) return true;
  // tryLock removes a stale lock by itself; a lock that could not be
  // written at all (no runtime folder) must not keep the game from starting.
  return lock->error() != QLockFile::LockFailedError;
}

void SingleInstance::AnswerLaterCopies(std::function<void()> comeForward) {
  server = std::make_unique<QLocalServer>();
  server->setSocketOptions(QLocalServer::UserAccessOption);
  // This copy holds the lock, so a socket already there is a crashed copy's.
  QLocalServer::removeServer(socketPath);
  // Without a socket the game still runs; later copies only give their
  // message.
  if (!server->listen(socketPath)) return;
  QObject::connect(server.get(), &QLocalServer::newConnection, server.get(),
                   [this, comeForward = std::move(comeForward)] {
                     // A connection is the whole request.
                     while (QLocalSocket* caller = server->nextPendingConnection())
                       caller->deleteLater();
                     comeForward();
                   });
}

bool SingleInstance::CallRunningCopy() {
  QLocalSocket socket;
  socket.connectToServer(socketPath);
  return socket.waitForConnected(CallTimeoutMs);
}

void BringForward(QWidget& window) {
  if (window.isMinimized()) window.showNormal();
  window.raise();
  window.activateWindow();
}

}  // namespace platform
