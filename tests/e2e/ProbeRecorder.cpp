// The test build of the program is the shipped program's main with this file
// linked in: it replaces the music device and the wave player by recorders
// that append every request to "probe-requests.log" beside the executable,
// so that a test driving the program from outside hears what it asked for.
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <string>

#include "platform/MusicDevice.h"
#include "platform/WaveSound.h"

namespace {

// Opened at the first request, once the application knows its folder.
void Append(const QString& line) {
  static QFile log(QCoreApplication::applicationDirPath() + QStringLiteral("/probe-requests.log"));
  if (!log.isOpen() && !log.open(QIODevice::WriteOnly | QIODevice::Append)) return;
  log.write((line + QLatin1Char('\n')).toUtf8());
  log.flush();
}

class MusicLog : public platform::MusicDevice {
 public:
  int Open(const QString& path) override { return Note(QStringLiteral("open ") + path); }
  int PlayFromStart() override { return Note(QStringLiteral("play")); }
  int Stop() override { return Note(QStringLiteral("stop")); }
  int Close() override { return Note(QStringLiteral("close")); }

 private:
  static int Note(const QString& request) {
    Append(QStringLiteral("music ") + request);
    return platform::MusicOk;
  }
};

class SoundLog : public platform::WavePlayer {
 public:
  void Play(const QString& path, unsigned flags) override {
    Append(QStringLiteral("sound %1 %2").arg(QFileInfo(path).fileName()).arg(flags));
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
