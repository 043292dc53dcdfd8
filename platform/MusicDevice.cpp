#include "platform/MusicDevice.h"

#include "platform/FluidSynthSequencer.h"
#include "platform/MusicCommandInterpreter.h"

namespace platform {
namespace {

MusicDevice* installedDevice = nullptr;

// The program's own device, made at its first command. It lives until the
// program ends, so a tune left open is closed (and its audio thread ended)
// on the way out.
MusicDevice& SynthesizerDevice() {
  static MusicCommandInterpreter device(
      [](const std::string& tunePath, int& error) -> std::unique_ptr<Sequencer> {
        return FluidSynthSequencer::Open(tunePath, SynthOutput::AudioDevice, error);
      });
  return device;
}

}  // namespace

int SendMusicCommand(const std::string& command) {
  return installedDevice ? installedDevice->Send(command) : SynthesizerDevice().Send(command);
}

void UseMusicDevice(MusicDevice* device) { installedDevice = device; }

}  // namespace platform
