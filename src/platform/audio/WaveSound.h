#pragma once
#include <QString>

namespace platform {

// Flags of a wave request, as the game gives them.
enum SoundFlags : unsigned {
  SndAsync = 0x01,      // return at once while the sound plays
  SndNoDefault = 0x02,  // a missing file plays nothing, not a default beep
  SndNoStop = 0x10,     // while any sound plays, drop the request
};

// The flags of every sound the game plays: 19.
constexpr unsigned GameSoundFlags = SndAsync | SndNoDefault | SndNoStop;

// Plays the wave file at the full path `path` with `flags`. Nothing is
// reported back: a sound that cannot be played is silence.
void PlayWaveSound(const QString& path, unsigned flags);

// What plays the sounds: the program's wave player, or a recorder in tests.
class WavePlayer {
 public:
  virtual ~WavePlayer() = default;
  virtual void Play(const QString& path, unsigned flags) = 0;
};

}  // namespace platform
