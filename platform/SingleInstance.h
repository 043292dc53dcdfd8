#pragma once
#include <QString>
#include <memory>

class QLockFile;

namespace platform {

// Whether another copy of the program runs for this user. The first copy
// holds a lock file in the user's runtime folder for as long as it runs; a
// lock left behind by a copy that crashed or was killed is stale (its
// process is gone) and does not count.
class SingleInstance {
 public:
  // `lockFolder` empty: the folder UseLockFolder chose, else the user's
  // runtime folder.
  explicit SingleInstance(const QString& lockFolder = QString());
  ~SingleInstance();

  // Takes the lock; false when another running copy holds it.
  bool Acquire();

 private:
  std::unique_ptr<QLockFile> lock;
};

// Makes the copies meet in `folder` instead of the user's runtime folder
// (tests); an empty folder goes back to the runtime folder.
void UseLockFolder(const QString& folder);

}  // namespace platform
