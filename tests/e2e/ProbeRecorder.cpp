// The test build of the program is the shipped program's main with this file
// linked in: it replaces the music device and the wave player by recorders
// that print every request as a line on the standard output, so that a test
// driving the program from outside hears what it asked for.
#include <QFileInfo>
#include <QString>
#include <cstdio>

#include "platform/MusicDevice.h"
#include "platform/WaveSound.h"

namespace {

void Print(const QString& line) {
  std::printf("%s\n", line.toUtf8().constData());
  std::fflush(stdout);
}

class MusicLog : public platform::MusicDevice {
 public:
  int Open(const QString& path) override { return Note("open " + path); }
  int PlayFromStart() override { return Note("play"); }
  int Stop() override { return Note("stop"); }
  int Close() override { return Note("close"); }

 private:
  static int Note(const QString& request) {
    Print("music " + request);
    return platform::MusicOk;
  }
};

class SoundLog : public platform::WavePlayer {
 public:
  void Play(const QString& path, unsigned flags) override {
    Print(QStringLiteral("sound %1 %2").arg(QFileInfo(path).fileName()).arg(flags));
  }
};

MusicLog music;
SoundLog sounds;

// Installed before main runs, so the game never reaches the real devices.
[[maybe_unused]] const bool installed = [] {
  platform::UseMusicDevice(&music);
  platform::UseWavePlayer(&sounds);
  return true;
}();

}  // namespace
