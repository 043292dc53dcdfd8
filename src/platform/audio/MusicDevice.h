#pragma once
#include <QString>

namespace platform {

// The answers of the music device: 0 when it carried a request out, one of
// the error codes otherwise.
enum MusicAnswer : int {
  MusicOk = 0,
  MusicNoAudioOutput = 262,  // no audio output could be opened to play on
  MusicNotOpen = 263,        // no tune is open
  MusicNoSynthesizer = 266,  // no General MIDI soundfont, or the synthesizer failed
  MusicBadTune = 275,        // the tune is missing or not a standard MIDI file
  MusicAlreadyOpen = 289,    // a tune is open already
};

// The music device the game plays its tune on: it holds one tune at a time.
// Every request answers 0 when carried out and an error code otherwise; the
// game never looks at the answer, so a missing device simply means silence.
class MusicDevice {
 public:
  virtual ~MusicDevice() = default;
  // Opens the tune at `tunePath`, a standard MIDI file.
  virtual int Open(const QString& tunePath) = 0;
  // Plays the open tune from its beginning, whatever it was doing.
  virtual int PlayFromStart() = 0;
  virtual int Stop() = 0;
  // Closes the open tune; another may be opened after.
  virtual int Close() = 0;
};

// The device the game plays on: the one installed, else the program's own
// General MIDI synthesizer.
MusicDevice& Music();

}  // namespace platform
