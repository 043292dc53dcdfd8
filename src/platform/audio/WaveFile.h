#pragma once
#include <QString>
#include <cstdint>
#include <optional>

namespace platform {

// The length of the wave file at `path` in milliseconds, rounded up;
// nothing when it is missing, not a wave file, empty, holds fewer samples
// than its header claims, or holds them in a format the sound effects do
// not play (anything but integer PCM and IEEE floats).
std::optional<uint32_t> WaveFileLength(const QString& path);

}  // namespace platform
