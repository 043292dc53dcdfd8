#pragma once
#include <string>

// The command strings the game sends to the music device under the alias
// gBGMfile, worded exactly, trailing blanks included.
inline constexpr const char* BgmPlayCommand = "play gBGMfile from 0 ";
inline constexpr const char* BgmStopCommand = "stop gBGMfile ";
inline constexpr const char* BgmCloseCommand = "close gBGMfile ";

// "open", the tune's full path in double quotes, and the device type and
// alias: open "<data folder>Blugrass.mid" type sequencer alias gBGMfile
std::string BgmOpenCommand(const std::string& dataFolderUtf8);

// Sends one of the commands above; the answer is never looked at.
void SendBgm(const std::string& command);
