#pragma once
#include <fluidsynth.h>

namespace platform {

// On a machine without sound the audio libraries (ALSA, PulseAudio through
// Qt Multimedia, FluidSynth) each complain on the terminal, some in many
// lines. This keeps their complaints to a debug category, so that the
// program says it once itself (NoteNoAudioDevice). Called before those
// libraries are loaded, at the first sound or play; safe to call again.
void QuietAudioLibraries();

// The part of QuietAudioLibraries that loads no library: Qt's messages go
// through a filter from now on. Called at start-up, before any thread of
// the program's own could be writing a message while it is put in place.
void QuietQtAudioMessages();

// The same for FluidSynth once it is loaded: `setLogFunction` is the
// loaded library's fluid_set_log_function.
void QuietFluidSynth(decltype(&fluid_set_log_function) setLogFunction);

// Prints "kanacatch: no audio device; playing silently" on stderr, the
// first time only.
void NoteNoAudioDevice();

}  // namespace platform
