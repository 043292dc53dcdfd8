#include "platform/audio/FlaggedWavePlayer.h"

#include "platform/system/TickCounter.h"

namespace platform {

FlaggedWavePlayer::FlaggedWavePlayer(WaveOutput& output) : output(output) {}

std::optional<uint32_t> FlaggedWavePlayer::LengthOf(const QString& path) {
  auto known = lengths.constFind(path);
  if (known == lengths.constEnd()) known = lengths.insert(path, output.Load(path));
  return *known;
}

void FlaggedWavePlayer::Play(const QString& path, unsigned flags) {
  const int32_t now = GetTickCount();
  const bool playing = started && TicksElapsed(startTick, now) < playingLength;
  if (playing && (flags & SndNoStop)) return;

  const std::optional<uint32_t> length = LengthOf(path);
  if (!length) return;
  if (playing) output.StopAll();
  output.Start(path);
  started = true;
  startTick = now;
  playingLength = *length;
}

}  // namespace platform
