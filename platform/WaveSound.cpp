#include "platform/WaveSound.h"

namespace platform {
namespace {

WavePlayer* installedPlayer = nullptr;

}  // namespace

void PlayWaveSound(const QString& path, unsigned flags) {
  if (installedPlayer) installedPlayer->Play(path, flags);
}

void UseWavePlayer(WavePlayer* player) { installedPlayer = player; }

}  // namespace platform
