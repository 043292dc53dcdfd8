#pragma once
#include <functional>
#include <memory>
#include <string>

#include "platform/audio/MusicDevice.h"

namespace platform {

// One open tune, which the device plays and stops; closing it destroys it.
class Sequencer {
 public:
  virtual ~Sequencer() = default;
  // Plays the tune from its beginning, whatever it was doing.
  virtual int PlayFromStart() = 0;
  virtual int Stop() = 0;
};

// Opens the tune at a UTF-8 path; on failure returns nothing and sets
// `error` to the answer for the open request.
using SequencerOpener =
    std::function<std::unique_ptr<Sequencer>(const std::string& tunePath, int& error)>;

// A music device over sequencers: holds the one open tune. Opening a second
// tune, playing, stopping or closing with none open, or a tune that does not
// open is answered with an error code and changes nothing.
class SequencerDevice : public MusicDevice {
 public:
  explicit SequencerDevice(SequencerOpener opener);
  int Open(const QString& tunePath) override;
  int PlayFromStart() override;
  int Stop() override;
  int Close() override;

 private:
  SequencerOpener openTune;
  std::unique_ptr<Sequencer> tune;
};

}  // namespace platform
