// The game's two short sounds, synthesised from scratch: the soft metal tick
// of a key release that catches nothing, and the "mya!" of a catch.
#pragma once

#include <filesystem>
#include <vector>

namespace kanasounds {

constexpr int kSampleRate = 44100;

// Samples in [-1, 1] at kSampleRate, finished (see finishSound).
std::vector<float> metalTick();
std::vector<float> myaChirp();

// Scales the sound to the given peak in dBFS and fades both ends over
// `fadeMs` with a raised cosine, so the sound starts and ends at zero.
void finishSound(std::vector<float>& samples, double peakDb, double fadeMs);

// 16-bit PCM mono WAV.
void writeWave(const std::filesystem::path& path, const std::vector<float>& samples);

}  // namespace kanasounds
