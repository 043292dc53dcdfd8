#include "bench/BenchScene.h"

#include <QDir>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/audio/MusicDevice.h"
#include "platform/audio/WaveSound.h"
#include "platform/system/Messages.h"
#include "platform/system/ProgramFolder.h"
#include "platform/system/Screen.h"
#include "platform/system/Services.h"
#include "rules/anim/Playfield.h"
#include "rules/control/GameControl.h"
#include "rules/control/MainLoop.h"
#include "rules/kana/MojiTable.h"
#include "rules/media/MediaLoading.h"
#include "state/GameState.h"
#include "state/Pictures.h"

namespace {

class SilentMusic : public platform::MusicDevice {
 public:
  int Open(const QString&) override { return 0; }
  int PlayFromStart() override { return 0; }
  int Stop() override { return 0; }
  int Close() override { return 0; }
};

class SilentSounds : public platform::WavePlayer {
 public:
  void Play(const QString&, unsigned) override {}
};

// A data file that cannot be read ends the benchmark with the game's
// message on stderr instead of a message box nobody can close.
class MessageToStderr : public platform::MessageSink {
 public:
  void Show(const QString& text) override { std::fprintf(stderr, "%s\n", qPrintable(text)); }
  void End() override { std::exit(1); }
};

SilentMusic silentMusic;
SilentSounds silentSounds;
MessageToStderr messageToStderr;

// A critter's height above its resting place that stands for the top.
constexpr int AtPeak = -1;

struct HoleScene {
  int topFromRest;  // rows the critter stands above its resting place, or AtPeak
  bool rising;
  bool sinking;
  bool caught;
  int waitMs;  // its pause, begun 5 s before the step
  const char* moji;
};

// Holes 1 to 6: rising, at the top with its stay over, sinking, caught and
// sinking, down with its pause over, rising just out of the hole.
constexpr HoleScene Scene[HoleCount] = {
    {60, true, false, false, 0, "か"},    {AtPeak, false, false, false, 1, "きゃ"},
    {100, false, true, false, 0, "しゅ"}, {120, false, true, true, 0, ""},
    {0, false, false, false, 1000, "な"}, {20, true, false, false, 0, "ゃ"},
};

}  // namespace

bool LoadBenchGame(const QString& appFolder) {
  if (!QDir(appFolder + QStringLiteral("/Deta")).exists()) {
    std::fprintf(stderr, "no data folder in %s: build the program first\n", qPrintable(appFolder));
    return false;
  }
  platform::ChangeServices([&appFolder](platform::Services& s) {
    s.waves = &silentSounds;
    s.music = &silentMusic;
    s.messages = &messageToStderr;
    s.screen = {1024, 768};
    s.programFolder = appFolder;
  });
  SizePictures();
  LoadPictures();
  InitSettings();
  SetHoleRects();
  MakeMojiTable();
  ClearPlayfield();
  return true;
}

void SetSixHolesMoving(int32_t now) {
  for (int h = 1; h <= HoleCount; ++h) {
    const HoleScene& scene = Scene[h - 1];
    Game.KobRect[h].Top =
        scene.topFromRest == AtPeak ? Game.PeakY[h] : Game.RestY[h] - scene.topFromRest;
    Game.KobRising[h] = scene.rising;
    Game.KobSinking[h] = scene.sinking;
    Game.KobCaught[h] = scene.caught;
    Game.HoleWait[h] = static_cast<int16_t>(scene.waitMs);
    Game.HoleTick[h] = now - 5000;
    Game.HoleMoji[h] = QString::fromUtf8(scene.moji);
    Game.MojiRed[h] = 40;
    Game.MojiGreen[h] = 90;
    Game.MojiBlue[h] = 160;
  }
  Game.GameRunning = true;
  Game.BgmOff = true;
  Game.ShownCount = 3;
  Game.CatchCount = 1;
}

bool SixHoleStep(BenchClock& clock) {
  clock.Advance(StepIntervalMs + 1);
  const int32_t now = clock.Read();
  SetSixHolesMoving(now);
  MainLoopPass();
  return Game.LastStepTick == now;
}
