#include "media/BgmCommands.h"

#include "platform/MusicDevice.h"

std::string BgmOpenCommand(const std::string& dataFolderUtf8) {
  return "open \"" + dataFolderUtf8 + "Blugrass.mid\" type sequencer alias gBGMfile";
}

void SendBgm(const std::string& command) { platform::SendMusicCommand(command); }
