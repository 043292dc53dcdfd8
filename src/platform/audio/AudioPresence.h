#pragma once

namespace platform {

// False only when no audio output can open: no sound card and no sound
// server (PulseAudio or PipeWire) to play through. The music asks before it
// loads its synthesizer, which would find the same and only cost memory.
bool AudioOutputMayExist();

}  // namespace platform
