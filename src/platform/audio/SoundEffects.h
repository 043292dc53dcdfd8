#pragma once
#include <QString>

namespace platform {

// What makes the wave sounds heard, from the audio module beside the
// program (libkanacatch_sound.so, with Qt Multimedia and the sound server's
// libraries): one sound effect per file on the system's default output.
class SoundEffects {
 public:
  virtual ~SoundEffects() = default;
  // Keeps the wave file at `path`, found playable, ready to start.
  virtual void Prepare(const QString& path) = 0;
  // Starts the sound prepared from `path` and returns at once.
  virtual void Start(const QString& path) = 0;
  // Silences whatever is playing.
  virtual void StopAll() = 0;
};

constexpr const char* SoundEffectsModuleName = "kanacatch_sound";
constexpr const char* CreateSoundEffectsSymbol = "kanacatch_create_sound_effects";
// The module's one function: new sound effects, owned by the caller.
using CreateSoundEffectsFunction = SoundEffects* (*)();

}  // namespace platform
