#include "platform/audio/MusicDevice.h"

#include "platform/audio/FluidSynthSequencer.h"
#include "platform/audio/SequencerDevice.h"
#include "platform/system/Services.h"

namespace platform {
namespace {

// The program's own device, made at its first request. It lives until the
// program ends, so a tune left open is closed (and its audio thread ended)
// on the way out.
MusicDevice& SynthesizerDevice() {
  static SequencerDevice device(
      [](const std::string& tunePath, int& error) -> std::unique_ptr<Sequencer> {
        return FluidSynthSequencer::Open(tunePath, SynthOutput::AudioDevice, error);
      });
  return device;
}

}  // namespace

MusicDevice& Music() {
  MusicDevice* device = CurrentServices().music;
  return device ? *device : SynthesizerDevice();
}

}  // namespace platform
