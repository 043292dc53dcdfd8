#pragma once
#include <QString>
#include <cstdint>
#include <optional>

namespace platform {

// What makes the wave sounds heard: the program's audio output, or a
// stand-in in tests.
class WaveOutput {
 public:
  virtual ~WaveOutput() = default;
  // Decodes the wave file at `path` and keeps it ready to start. Returns its
  // length in milliseconds, or nothing when the file cannot be played.
  virtual std::optional<uint32_t> Load(const QString& path) = 0;
  // Starts the sound loaded from `path` and returns at once.
  virtual void Start(const QString& path) = 0;
  // Silences whatever is playing.
  virtual void StopAll() = 0;
};

}  // namespace platform
