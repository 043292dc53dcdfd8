#pragma once
#include <QHash>
#include <QString>
#include <cstdint>
#include <optional>

#include "platform/audio/WaveOutput.h"
#include "platform/audio/WaveSound.h"

namespace platform {

// Plays wave files by the request flags. A sound is taken to play from the
// tick of its start for its length; while it plays, a request with
// SndNoStop is dropped, and one without it cuts the playing sound off. A
// file that cannot be played sounds nothing: there is no default sound.
// Every request returns at once. Each file is decoded once, at its first
// request, and kept, so a sound starts without reading its file again;
// a file found unplayable is not tried again either.
class FlaggedWavePlayer : public WavePlayer {
 public:
  explicit FlaggedWavePlayer(WaveOutput& output);
  void Play(const QString& path, unsigned flags) override;

 private:
  std::optional<uint32_t> LengthOf(const QString& path);

  WaveOutput& output;
  QHash<QString, std::optional<uint32_t>> lengths;
  bool started = false;
  int32_t startTick = 0;
  uint32_t playingLength = 0;
};

}  // namespace platform
