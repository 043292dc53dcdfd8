#include "platform/audio/ProgramWaveOutput.h"

#include <cstdio>

#include "platform/audio/AudioPresence.h"
#include "platform/audio/QuietAudio.h"
#include "platform/audio/SoundEffects.h"
#include "platform/audio/WaveFile.h"
#include "platform/system/ProgramModule.h"

namespace platform {

// Both here, where the module's interface is whole. The effects themselves
// belong to the application object, which deletes them as it tears down.
ProgramWaveOutput::ProgramWaveOutput() = default;
ProgramWaveOutput::~ProgramWaveOutput() = default;

SoundEffects* ProgramWaveOutput::Effects() {
  if (tried) return effects.get();
  tried = true;
  if (!AudioOutputMayExist()) {
    NoteNoAudioDevice();
    return nullptr;
  }
  QuietAudioLibraries();
  QString error;
  const auto create = reinterpret_cast<CreateSoundEffectsFunction>(
      ProgramModuleFunction(SoundEffectsModuleName, CreateSoundEffectsSymbol, &error));
  if (!create) {
    std::fprintf(stderr, "kanacatch: sounds are silent: %s\n", qPrintable(error));
    return nullptr;
  }
  effects.reset(create());
  return effects.get();
}

std::optional<uint32_t> ProgramWaveOutput::Load(const QString& path) {
  const std::optional<uint32_t> length = WaveFileLength(path);
  if (length) {
    if (SoundEffects* heard = Effects()) heard->Prepare(path);
  }
  return length;
}

void ProgramWaveOutput::Start(const QString& path) {
  if (effects) effects->Start(path);
}

void ProgramWaveOutput::StopAll() {
  if (effects) effects->StopAll();
}

}  // namespace platform
