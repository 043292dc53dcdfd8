#pragma once
#include <fluidsynth/types.h>

#include <QByteArray>
#include <memory>
#include <string>

#include "platform/audio/SequencerDevice.h"

namespace platform {

struct FluidSynthLibrary;

// Where the synthesizer's sound goes.
enum class SynthOutput {
  AudioDevice,  // FluidSynth's own audio thread, on the first audio system that opens
  Caller,       // nowhere by itself: the caller pulls the samples with Render
};

// A standard MIDI file played by FluidSynth with a General MIDI soundfont
// of the system. The tune is read once when it is opened. The synthesizer,
// its audio output and its soundfont (megabytes of samples) load at the
// first play, once: without an audio device nothing of them stays loaded,
// every play answers MusicNoAudioOutput and the tune stays silent.
class FluidSynthSequencer : public Sequencer {
 public:
  // Opens the tune at `tunePath` (UTF-8). Returns nothing and sets `error`
  // when the tune is missing or not a standard MIDI file (MusicBadTune) or
  // the system has no soundfont (MusicNoSynthesizer).
  static std::unique_ptr<FluidSynthSequencer> Open(const std::string& tunePath, SynthOutput output,
                                                   int& error);
  ~FluidSynthSequencer() override;

  int PlayFromStart() override;
  int Stop() override;

  // With SynthOutput::Caller: renders the next `frames` stereo frames,
  // moving the tune on by as much time. The audio thread's sequencer
  // renders nothing here.
  void Render(int frames, float* left, float* right);
  int SampleRate() const;

 private:
  FluidSynthSequencer(SynthOutput output, QByteArray tune, std::string soundFont);
  // Readies the synthesizer at the first call and answers as that call did
  // at every later one.
  int Prepare();
  bool LoadSynthesizer();
  void UnloadSynthesizer();
  bool OpenAudioOutput();
  // Replaces the player with a new one holding the tune at its beginning.
  bool NewPlayer();

  SynthOutput output;
  const FluidSynthLibrary* fluid = nullptr;
  fluid_settings_t* settings = nullptr;
  fluid_synth_t* synth = nullptr;
  fluid_player_t* player = nullptr;
  fluid_audio_driver_t* audio = nullptr;
  QByteArray tune;
  std::string soundFont;
  int prepared = MusicNotOpen;  // not tried yet
};

// The first General MIDI soundfont found among those the system's packages
// install; empty when there is none.
std::string GeneralMidiSoundFont();

}  // namespace platform
