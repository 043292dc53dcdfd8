#pragma once
#include "platform/system/Messages.h"

namespace platform {

// The program's messages: a message box with an OK button only and no icon,
// under the program's title, that returns once the player has closed it;
// ending the program exits at once with status 1.
class MessageBoxSink : public MessageSink {
 public:
  void Show(const QString& text) override;
  void End() override;
};

}  // namespace platform
