// The test build of the program: the shipped program's main with this file
// linked in. Every music request with the device's answer and every sound
// request is printed as a line ("music play|0", "sound <path> 19") before
// the program's own devices carry it out, so that a test driving the
// program from outside hears what it asked for.
//
// Started with KANACATCH_PROBE_PLAYER set, it also plays the part of the
// player by itself, for the tests that start it from damaged or oddly named
// folders: message boxes are printed ("message <text>", then "ended" when
// the program ends there) instead of waiting for a click, the clock runs 25
// times faster, and once the main loop runs it clicks the title, starts a
// game, catches one critter, misses once, opens the input table and quits,
// printing "table <scroll maximum>", "caught <n>" and "label-face <face>",
// the face a label is printed in.
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFontInfo>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

#include "app/MainForm.h"
#include "platform/audio/MusicDevice.h"
#include "platform/audio/WaveSound.h"
#include "platform/drawing/TextFont.h"
#include "platform/system/Messages.h"
#include "platform/system/ProgramFolder.h"
#include "platform/system/Services.h"
#include "platform/system/TickCounter.h"
#include "platform/windows/KanaTextBox.h"
#include "screens/InputTable.h"
#include "screens/TitleForm.h"
#include "state/GameState.h"
#include "support/InputMethod.h"

namespace {

void Say(const QString& line) {
  std::printf("%s\n", line.toUtf8().constData());
  std::fflush(stdout);
}

int Said(const QString& request, int answer) {
  Say(QStringLiteral("music %1|%2").arg(request).arg(answer));
  return answer;
}

// The program's own music device, fetched before the printing one goes in.
platform::MusicDevice& ownMusic = platform::Music();

class PrintedMusic : public platform::MusicDevice {
 public:
  int Open(const QString& path) override { return Said("open " + path, ownMusic.Open(path)); }
  int PlayFromStart() override { return Said("play", ownMusic.PlayFromStart()); }
  int Stop() override { return Said("stop", ownMusic.Stop()); }
  int Close() override { return Said("close", ownMusic.Close()); }
};

class PrintedSounds : public platform::WavePlayer {
 public:
  void Play(const QString& path, unsigned flags) override {
    Say(QStringLiteral("sound %1 %2").arg(path).arg(flags));
    platform::ChangeServices([](platform::Services& s) { s.waves = nullptr; });
    platform::PlayWaveSound(path, flags);
    platform::ChangeServices([this](platform::Services& s) { s.waves = this; });
  }
};

class PrintedMessages : public platform::MessageSink {
 public:
  void Show(const QString& text) override { Say("message " + text); }
  void End() override {
    Say(QStringLiteral("ended"));
    std::_Exit(1);  // as the program itself ends there
  }
};

class FastClock : public platform::TickSource {
 public:
  FastClock() { real.start(); }
  int32_t Read() override { return static_cast<int32_t>(real.elapsed() * 25); }

 private:
  QElapsedTimer real;
};

// The miss (a string no critter carries, and Enter), the input table, Quit.
void MissAndQuit(MainForm& form) {
  QTest::keyClick(form.Text1, Qt::Key_X);
  QTest::keyClick(form.Text1, Qt::Key_Return);
  form.InPutShow->trigger();
  Say(QStringLiteral("table %1").arg(form.InPutWindow->VScroll1->maximum()));
  Say(QStringLiteral("caught %1").arg(Game.CatchCount));
  Say("label-face " +
      QFontInfo(platform::ToQFont({platform::ProportionalGothic, 35, true})).family());
  form.Quit->trigger();
}

// The program's main window, found among its windows as the player finds it.
MainForm& TheMainForm() {
  for (QWidget* window : QApplication::topLevelWidgets())
    if (auto* form = dynamic_cast<MainForm*>(window)) return *form;
  std::abort();
}

void PlayAsThePlayer() {
  MainForm& form = TheMainForm();
  QTest::mousePress(form.TitleWindow, Qt::LeftButton);
  form.Start->trigger();
  auto* player = new QTimer(&form);
  // The catch, once a critter stands at least 100 pixels out of its hole.
  QObject::connect(player, &QTimer::timeout, [player, &form] {
    for (int h = 1; h <= HoleCount; ++h) {
      if (Game.HoleMoji[h].isEmpty() || Game.RestY[h] - Game.KobRect[h].Top < 100) continue;
      Compose(*form.Text1, {}, Game.HoleMoji[h]);
      player->stop();
      // The miss waits for the catch sound to end, which would drop it.
      return QTimer::singleShot(40, [&form] { MissAndQuit(form); });
    }
  });
  player->start(5);
}

const bool playsItself = qEnvironmentVariableIsSet("KANACATCH_PROBE_PLAYER");
PrintedMusic music;
PrintedSounds sounds;
PrintedMessages messages;
FastClock clock;

// Installed before main runs, so the game never reaches the devices unseen.
[[maybe_unused]] const bool installed = [] {
  if (playsItself) qputenv("QT_QPA_PLATFORM", "offscreen");
  platform::UseServices({.ticks = playsItself ? &clock : nullptr,
                         .waves = &sounds,
                         .music = &music,
                         .messages = playsItself ? &messages : nullptr});
  return true;
}();

void StartPlaying() {
  if (!playsItself) return;
  // Each copy keeps its own lock, so that copies started side by side by
  // the tests do not take each other for a second copy.
  platform::ChangeServices(
      [&](platform::Services& s) { s.lockFolder = platform::ProgramFolder(); });
  QTimer::singleShot(0, PlayAsThePlayer);
}
Q_COREAPP_STARTUP_FUNCTION(StartPlaying)

}  // namespace
