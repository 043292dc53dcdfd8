#include "platform/MusicDevice.h"

#include "platform/FluidSynthSequencer.h"
#include "platform/SequencerDevice.h"

namespace platform {
namespace {

MusicDevice* installedDevice = nullptr;

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

MusicDevice& Music() { return installedDevice ? *installedDevice : SynthesizerDevice(); }

void UseMusicDevice(MusicDevice* device) { installedDevice = device; }

}  // namespace platform
