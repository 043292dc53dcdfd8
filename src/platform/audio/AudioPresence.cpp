#include "platform/audio/AudioPresence.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace platform {
namespace {

// Whether a sound card's control device opens, as ALSA looks for cards:
// cards 0 to 31, each through /dev/snd/controlC<card>.
bool SoundCardOpens() {
  for (int card = 0; card < 32; ++card) {
    QFile control(QStringLiteral("/dev/snd/controlC%1").arg(card));
    if (control.open(QIODevice::ReadOnly)) return true;
  }
  return false;
}

}  // namespace

bool AudioOutputMayExist() {
  if (SoundCardOpens()) return true;
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
