#pragma once
#include <memory>

#include "platform/audio/WaveOutput.h"

namespace platform {

class SoundEffects;

// The program's wave output. A file is played when WaveFileLength finds it
// playable; its length is read here. The sound effects that make it heard
// come from the audio module, loaded at the first playable sound, and only
// where an audio output may exist: a machine without one never loads Qt
// Multimedia and the sound server's libraries. Without the module the
// sounds are silent, and the program says once why.
class ProgramWaveOutput : public WaveOutput {
 public:
  ProgramWaveOutput();
  ~ProgramWaveOutput() override;

  std::optional<uint32_t> Load(const QString& path) override;
  void Start(const QString& path) override;
  void StopAll() override;

 private:
  SoundEffects* Effects();

  std::unique_ptr<SoundEffects> effects;
  bool tried = false;
};

}  // namespace platform
