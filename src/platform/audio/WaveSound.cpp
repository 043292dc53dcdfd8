#include "platform/audio/WaveSound.h"

#include "platform/audio/FlaggedWavePlayer.h"
#include "platform/audio/ProgramWaveOutput.h"
#include "platform/system/Services.h"

namespace platform {
namespace {

WavePlayer& ProgramPlayer() {
  static ProgramWaveOutput output;
  static FlaggedWavePlayer player(output);
  return player;
}

}  // namespace

void PlayWaveSound(const QString& path, unsigned flags) {
  (CurrentServices().waves ? *CurrentServices().waves : ProgramPlayer()).Play(path, flags);
}

}  // namespace platform
