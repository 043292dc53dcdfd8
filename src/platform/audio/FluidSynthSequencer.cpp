#include "platform/audio/FluidSynthSequencer.h"

#include <QFile>
#include <QFileInfo>

#include "platform/audio/AudioPresence.h"
#include "platform/audio/FluidSynthLibrary.h"
#include "platform/audio/QuietAudio.h"
#include "platform/audio/StandardMidiFile.h"

namespace platform {
namespace {

// FluidSynth's default gain leaves a General MIDI tune some 20 dB below the
// catch sound; this puts the music about 10 dB under the sounds.
constexpr double MusicGain = 0.6;

// No standard MIDI file of a game tune comes near this size.
constexpr qint64 MaxTuneBytes = 16 * 1024 * 1024;

QByteArray ReadTune(const std::string& tunePath) {
  QFile file(QString::fromStdString(tunePath));
  if (!file.open(QIODevice::ReadOnly) || file.size() > MaxTuneBytes) return {};
  return file.readAll();
}

}  // namespace

std::string GeneralMidiSoundFont() {
  // The soundfont the program's packages install first, then the system's
  // choice of General MIDI soundfont.
  for (const char* candidate :
       {"/usr/share/sounds/sf2/TimGM6mb.sf2", "/usr/share/sounds/sf2/default-GM.sf2",
        "/usr/share/soundfonts/default.sf2"}) {
    const QFileInfo file(QString::fromLatin1(candidate));
    if (file.isFile() && file.isReadable()) return candidate;
  }
  return {};
}

std::unique_ptr<FluidSynthSequencer> FluidSynthSequencer::Open(const std::string& tunePath,
                                                               SynthOutput output, int& error) {
  QuietQtAudioMessages();
  QByteArray tune = ReadTune(tunePath);
  if (!IsStandardMidiFile(tune)) {
    error = MusicBadTune;
    return nullptr;
  }
  std::string soundFont = GeneralMidiSoundFont();
  if (soundFont.empty()) {
    error = MusicNoSynthesizer;
    return nullptr;
  }
  std::unique_ptr<FluidSynthSequencer> sequencer(
      new FluidSynthSequencer(output, std::move(tune), std::move(soundFont)));
  // The caller pulls the sound from the start; the audio thread's
  // synthesizer waits for the first play.
  if (output == SynthOutput::Caller && sequencer->Prepare() != MusicOk) {
    error = MusicNoSynthesizer;
    return nullptr;
  }
  return sequencer;
}

FluidSynthSequencer::FluidSynthSequencer(SynthOutput output, QByteArray tune, std::string soundFont)
    : output(output), tune(std::move(tune)), soundFont(std::move(soundFont)) {}

FluidSynthSequencer::~FluidSynthSequencer() { UnloadSynthesizer(); }

bool FluidSynthSequencer::LoadSynthesizer() {
  fluid = FluidSynth();
  if (!fluid) return false;
  settings = fluid->new_fluid_settings();
  if (!settings) return false;
  fluid->fluid_settings_setnum(settings, "synth.gain", MusicGain);
  synth = fluid->new_fluid_synth(settings);
  return synth != nullptr;
}

void FluidSynthSequencer::UnloadSynthesizer() {
  // The audio thread goes first: it is what drives the player.
  if (audio) fluid->delete_fluid_audio_driver(audio);
  audio = nullptr;
  if (player) fluid->delete_fluid_player(player);
  if (synth) fluid->delete_fluid_synth(synth);
  if (settings) fluid->delete_fluid_settings(settings);
  player = nullptr;
  synth = nullptr;
  settings = nullptr;
}

int FluidSynthSequencer::Prepare() {
  if (prepared != MusicNotOpen) return prepared;
  if (output == SynthOutput::AudioDevice && !AudioOutputMayExist()) {
    NoteNoAudioDevice();
    prepared = MusicNoAudioOutput;
  } else if (!LoadSynthesizer()) {
    prepared = MusicNoSynthesizer;
  } else if (output == SynthOutput::AudioDevice && !OpenAudioOutput()) {
    prepared = MusicNoAudioOutput;
  } else {
    const bool loaded = fluid->fluid_synth_sfload(synth, soundFont.c_str(), 1) != FLUID_FAILED;
    prepared = loaded ? MusicOk : MusicNoSynthesizer;
  }
  // What failed to play keeps nothing in memory.
  if (prepared != MusicOk) UnloadSynthesizer();
  return prepared;
}

bool FluidSynthSequencer::OpenAudioOutput() {
  // The sound servers first, then the bare sound card. An audio system that
  // this FluidSynth was built without is skipped.
  for (const char* driver : {"pulseaudio", "pipewire", "alsa"}) {
    if (fluid->fluid_settings_setstr(settings, "audio.driver", driver) != FLUID_OK) continue;
    audio = fluid->new_fluid_audio_driver(settings, synth);
    if (audio) return true;
  }
  NoteNoAudioDevice();
  return false;
}

bool FluidSynthSequencer::NewPlayer() {
  if (player) {
    fluid->fluid_player_stop(player);
    // Safe while the audio thread runs: the player leaves the synthesizer
    // under the synthesizer's own lock.
    fluid->delete_fluid_player(player);
  }
  player = fluid->new_fluid_player(synth);
  return player && fluid->fluid_player_add_mem(player, tune.constData(), tune.size()) == FLUID_OK;
}

int FluidSynthSequencer::PlayFromStart() {
  if (const int answer = Prepare(); answer != MusicOk) return answer;
  fluid->fluid_synth_all_notes_off(synth, -1);
  // A fresh player starts every track at its first event. Seeking an old
  // one back to 0 misses the opening of a track that was stopped before it
  // had passed its first event.
  if (!NewPlayer() || fluid->fluid_player_play(player) != FLUID_OK) return MusicNoSynthesizer;
  return MusicOk;
}

int FluidSynthSequencer::Stop() {
  if (player) fluid->fluid_player_stop(player);
  if (synth) fluid->fluid_synth_all_notes_off(synth, -1);
  return MusicOk;
}

void FluidSynthSequencer::Render(int frames, float* left, float* right) {
  if (output != SynthOutput::Caller) return;
  fluid->fluid_synth_write_float(synth, frames, left, 0, 1, right, 0, 1);
}

int FluidSynthSequencer::SampleRate() const {
  double rate = 44100;
  if (settings) fluid->fluid_settings_getnum(settings, "synth.sample-rate", &rate);
  return static_cast<int>(rate);
}

}  // namespace platform
