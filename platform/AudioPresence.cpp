#include "platform/AudioPresence.h"

#include <alsa/asoundlib.h>

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace platform {

bool AudioOutputMayExist() {
  int card = -1;
  if (snd_card_next(&card) == 0 && card >= 0) return true;
  if (qEnvironmentVariableIsSet("PULSE_SERVER")) return true;
  const QDir runtime(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation));
  for (const QString& server :
       {runtime.filePath(QStringLiteral("pulse/native")),
        runtime.filePath(QStringLiteral("pipewire-0")), QStringLiteral("/run/pulse/native"),
        QStringLiteral("/var/run/pulse/native")}) {
    if (QFileInfo::exists(server)) return true;
  }
  return false;
}

}  // namespace platform
