#include "platform/MusicDevice.h"

namespace platform {
namespace {

// Until a synthesizer stands behind the commands, every command fails the
// way a device that could not be opened fails: silently.
constexpr int NoDevice = 263;

MusicDevice* installedDevice = nullptr;

}  // namespace

int SendMusicCommand(const std::string& command) {
  return installedDevice ? installedDevice->Send(command) : NoDevice;
}

void UseMusicDevice(MusicDevice* device) { installedDevice = device; }

}  // namespace platform
