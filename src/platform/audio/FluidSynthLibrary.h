#pragma once
// Only the types and signatures: the library itself is loaded at first use.
#include <fluidsynth.h>

namespace platform {

// clang-format off
#define KANACATCH_FLUIDSYNTH_FUNCTIONS(F) \
  F(new_fluid_settings)                   \
  F(delete_fluid_settings)                \
  F(fluid_settings_setnum)                \
  F(fluid_settings_getnum)                \
  F(fluid_settings_setstr)                \
  F(new_fluid_synth)                      \
  F(delete_fluid_synth)                   \
  F(fluid_synth_sfload)                   \
  F(fluid_synth_all_notes_off)            \
  F(fluid_synth_write_float)              \
  F(new_fluid_player)                     \
  F(delete_fluid_player)                  \
  F(fluid_player_add_mem)                 \
  F(fluid_player_play)                    \
  F(fluid_player_stop)                    \
  F(new_fluid_audio_driver)               \
  F(delete_fluid_audio_driver)            \
  F(fluid_set_log_function)
// clang-format on

// FluidSynth's functions that the music uses. The library and the thirty
// or so libraries it brings along (sound servers, SDL, readline) are loaded
// at the first play, not at start-up: a game played without music, or
// where no audio output exists, never needs them.
struct FluidSynthLibrary {
#define KANACATCH_FLUIDSYNTH_MEMBER(name) decltype(&::name) name = nullptr;
  KANACATCH_FLUIDSYNTH_FUNCTIONS(KANACATCH_FLUIDSYNTH_MEMBER)
#undef KANACATCH_FLUIDSYNTH_MEMBER
};

// The functions, the library loaded at the first call (its complaints sent
// where QuietAudioLibraries sends them); nullptr when it cannot be loaded.
const FluidSynthLibrary* FluidSynth();

}  // namespace platform
