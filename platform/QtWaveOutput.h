#pragma once
#include <QHash>
#include <QPointer>

#include "platform/WaveOutput.h"

class QSoundEffect;

namespace platform {

// The program's wave output: one Qt sound effect per file, kept ready
// after its first load, on the system's default audio output. Without an
// audio device the effects stay silent and nothing waits for them. A file
// is played when it is a wave file with at least one frame.
class QtWaveOutput : public WaveOutput {
 public:
  std::optional<uint32_t> Load(const QString& path) override;
  void Start(const QString& path) override;
  void StopAll() override;

 private:
  // Deleted as the application object begins to tear down.
  QHash<QString, QPointer<QSoundEffect>> effects;
};

// The length of the wave file at `path` in milliseconds, rounded up;
// nothing when it is missing, not a wave file, empty, or holds fewer
// samples than its header claims.
std::optional<uint32_t> WaveFileLength(const QString& path);

}  // namespace platform
