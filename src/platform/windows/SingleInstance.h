#pragma once
#include <QString>
#include <functional>
#include <memory>

class QLocalServer;
class QLockFile;
class QWidget;

namespace platform {

// Whether another copy of the program runs for this user. The first copy
// holds a lock file in the user's runtime folder for as long as it runs; a
// lock left behind by a copy that crashed or was killed is stale (its
// process is gone) and does not count. Beside the lock the first copy
// listens on a local socket, through which a later copy asks it to come
// forward.
class SingleInstance {
 public:
  // `lockFolder` empty: the record's lock folder (Services), else the user's
  // runtime folder.
  explicit SingleInstance(const QString& lockFolder = QString());
  ~SingleInstance();

  // Takes the lock; false when another running copy holds it.
  bool Acquire();

  // Once the lock is held: runs `comeForward` in the event loop whenever a
  // later copy calls. A socket left behind by a copy that crashed is
  // replaced.
  void AnswerLaterCopies(std::function<void()> comeForward);

  // Asks the copy that holds the lock to come forward, without waiting for
  // it to do so; false when no copy answered within a fraction of a second
  // (none listens, or the socket is one a crashed copy left behind).
  bool CallRunningCopy();

 private:
  QString socketPath;
  std::unique_ptr<QLockFile> lock;
  std::unique_ptr<QLocalServer> server;
};

// Shows `window` if minimized, raises it and asks the window system to give
// it the keyboard; a window manager may refuse that to a program the user
// is not working in.
void BringForward(QWidget& window);

}  // namespace platform
