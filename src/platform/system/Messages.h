#pragma once
#include <QString>

namespace platform {

// Shows `text` to the player and returns once it has been read: in the
// program, a message box with an OK button only and no icon, under the
// program's title (MessageBoxSink); with no sink in the services, a line on
// standard error.
void ShowMessage(const QString& text);

// Ends the program at once: no window is closed and no close handler runs.
// Used after a start-up failure has been reported. Exits with status 1.
void EndProgram();

// What shows the messages and ends the program: the message box and exit,
// or in tests a recorder (whose EndProgram throws ProgramEnded).
class MessageSink {
 public:
  virtual ~MessageSink() = default;
  virtual void Show(const QString& text) = 0;
  virtual void End() = 0;
};

}  // namespace platform
