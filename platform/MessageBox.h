#pragma once
#include <QString>

namespace platform {

// Shows `text` in a message box with an OK button only and no icon, under
// the program's title, and returns when the player has closed it.
void ShowMessage(const QString& text);

// Ends the program at once: no window is closed and no close handler runs.
// Used after a start-up failure has been reported. Exits with status 1.
void EndProgram();

// What shows the messages and ends the program: the real message box and
// exit, or in tests a recorder (whose EndProgram throws ProgramEnded).
class MessageSink {
 public:
  virtual ~MessageSink() = default;
  virtual void Show(const QString& text) = 0;
  virtual void End() = 0;
};

// Installs `sink`; nullptr goes back to the real message box and exit.
void UseMessageSink(MessageSink* sink);

}  // namespace platform
