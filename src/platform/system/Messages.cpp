#include "platform/system/Messages.h"

#include <cstdio>
#include <cstdlib>

#include "platform/system/Services.h"

namespace platform {

void ShowMessage(const QString& text) {
  if (MessageSink* sink = CurrentServices().messages) {
    sink->Show(text);
    return;
  }
  std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
}

void EndProgram() {
  if (MessageSink* sink = CurrentServices().messages) {
    sink->End();
    return;
  }
  std::_Exit(1);
}

}  // namespace platform
