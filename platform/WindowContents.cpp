#include "platform/WindowContents.h"

#include <QByteArray>

namespace platform {

void SendWindowContentsOverTheConnection() {
  if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM"))
    qputenv("QT_XCB_NO_MITSHM", QByteArrayLiteral("1"));
}

}  // namespace platform
