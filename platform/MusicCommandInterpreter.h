#pragma once
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "platform/MusicDevice.h"

namespace platform {

// One open tune, which the commands play and stop; closing it destroys it.
class Sequencer {
 public:
  virtual ~Sequencer() = default;
  // Plays the tune from its beginning, whatever it was doing.
  virtual int PlayFromStart() = 0;
  virtual int Stop() = 0;
};

// Opens the tune at a UTF-8 path; on failure returns nothing and sets
// `error` to the answer for the open command.
using SequencerOpener =
    std::function<std::unique_ptr<Sequencer>(const std::string& tunePath, int& error)>;

// The music device behind the command strings: keeps the tunes opened
// under their aliases and carries out open, play, stop and close. A command
// it cannot parse, an alias that is not open, an alias opened twice or a
// tune that does not open is answered with an error code and changes
// nothing.
class MusicCommandInterpreter : public MusicDevice {
 public:
  explicit MusicCommandInterpreter(SequencerOpener opener);
  int Send(const std::string& command) override;

 private:
  SequencerOpener openTune;
  std::map<std::string, std::unique_ptr<Sequencer>> tunes;
};

}  // namespace platform
