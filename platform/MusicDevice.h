#pragma once
#include <string>

namespace platform {

// Hands one command string to the music device, worded exactly as the game
// words it ("play gBGMfile from 0 ", trailing blank included). Returns 0 when
// the device carried it out and an error code otherwise; the game sends and
// never looks at the answer, so a missing device simply means silence.
int SendMusicCommand(const std::string& command);

// What carries the commands out: the program's music device, or a recorder
// in tests.
class MusicDevice {
 public:
  virtual ~MusicDevice() = default;
  virtual int Send(const std::string& command) = 0;
};

// Installs `device`; nullptr goes back to the program's own device.
void UseMusicDevice(MusicDevice* device);

}  // namespace platform
