#include "platform/audio/FluidSynthLibrary.h"

#include <QLibrary>

#include "platform/audio/QuietAudio.h"

namespace platform {

const FluidSynthLibrary* FluidSynth() {
  static const FluidSynthLibrary* const loaded = []() -> const FluidSynthLibrary* {
    QuietAudioLibraries();
    // Kept loaded for the rest of the run.
    QLibrary library(QStringLiteral("fluidsynth"), 3);
    static FluidSynthLibrary functions;
    bool complete = true;
#define KANACATCH_FLUIDSYNTH_RESOLVE(name)                                      \
  functions.name = reinterpret_cast<decltype(&::name)>(library.resolve(#name)); \
  complete = complete && functions.name;
    KANACATCH_FLUIDSYNTH_FUNCTIONS(KANACATCH_FLUIDSYNTH_RESOLVE)
#undef KANACATCH_FLUIDSYNTH_RESOLVE
    if (!complete) return nullptr;
    QuietFluidSynth(functions.fluid_set_log_function);
    return &functions;
  }();
  return loaded;
}

}  // namespace platform
