#include "platform/WaveSound.h"

#include "platform/FlaggedWavePlayer.h"
#include "platform/ProgramWaveOutput.h"

namespace platform {
namespace {

WavePlayer* installedPlayer = nullptr;

WavePlayer& ProgramPlayer() {
  static ProgramWaveOutput output;
  static FlaggedWavePlayer player(output);
  return player;
}

}  // namespace

void PlayWaveSound(const QString& path, unsigned flags) {
  (installedPlayer ? *installedPlayer : ProgramPlayer()).Play(path, flags);
}

void UseWavePlayer(WavePlayer* player) { installedPlayer = player; }

}  // namespace platform
