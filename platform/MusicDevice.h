#pragma once
#include <string>

namespace platform {

// The answers of the music device: 0 when it carried a command out, one of
// the error codes otherwise.
enum MusicAnswer : int {
  MusicOk = 0,
  MusicBadCommand = 261,     // not worded as any command the device knows
  MusicNoAudioOutput = 262,  // no audio output could be opened to play on
  MusicUnknownAlias = 263,   // no tune is open under that alias
  MusicNoSynthesizer = 266,  // no General MIDI soundfont, or the synthesizer failed
  MusicBadTune = 275,        // the tune is missing or not a standard MIDI file
  MusicAliasInUse = 289,     // a tune is already open under that alias
};

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

// Installs `device`; nullptr goes back to the program's own device, the
// General MIDI synthesizer.
void UseMusicDevice(MusicDevice* device);

}  // namespace platform
