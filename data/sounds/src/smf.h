// Writes the arranged tune as a standard MIDI file: format 1, a tempo track
// first, then one track per part on its own channel.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "arrange.h"
#include "tune.h"

namespace kanasounds {

// The bytes of the whole file.
std::vector<std::uint8_t> encodeSmf(const Tune& tune, const std::vector<Part>& parts);
void writeSmf(const std::filesystem::path& path, const Tune& tune, const std::vector<Part>& parts);

}  // namespace kanasounds
