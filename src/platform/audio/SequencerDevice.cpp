#include "platform/audio/SequencerDevice.h"

#include <utility>

namespace platform {

SequencerDevice::SequencerDevice(SequencerOpener opener) : openTune(std::move(opener)) {}

int SequencerDevice::Open(const QString& tunePath) {
  if (tune) return MusicAlreadyOpen;
  int error = MusicOk;
  tune = openTune(tunePath.toStdString(), error);
  if (!tune) return error != MusicOk ? error : MusicNoSynthesizer;
  return MusicOk;
}

int SequencerDevice::PlayFromStart() { return tune ? tune->PlayFromStart() : MusicNotOpen; }

int SequencerDevice::Stop() { return tune ? tune->Stop() : MusicNotOpen; }

int SequencerDevice::Close() {
  if (!tune) return MusicNotOpen;
  tune.reset();
  return MusicOk;
}

}  // namespace platform
