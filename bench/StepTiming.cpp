// Plays a game in the real event-driven main loop on the real clock for a
// number of seconds (20 unless given) in a window of the offscreen platform,
// and prints the distribution of the animation step periods (from the end of
// one step's drawing to the end of the next) and of the steps' own times.
// With "writes" after the seconds, the history keeps a game every 250 ms
// meanwhile, far more often than games end, to show that its writes do not
// hold up the steps.
#include <QApplication>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/MainForm.h"
#include "bench/BenchScene.h"
#include "bench/Distribution.h"
#include "history/HistoryKeeper.h"
#include "platform/system/PassLoop.h"
#include "platform/system/ProgramFolder.h"
#include "platform/system/Services.h"
#include "rules/anim/Playfield.h"
#include "rules/control/GameControl.h"
#include "rules/control/MainLoop.h"
#include "rules/kana/SettingsMenus.h"
#include "state/GameState.h"
#include "support/SampleGames.h"

int main(int argc, char** argv) {
  const int seconds = argc > 1 ? std::atoi(argv[1]) : 20;
  if (seconds <= 0) {
    std::fprintf(stderr, "usage: %s [SECONDS]\n", argv[0]);
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  MainForm form;
  if (!LoadBenchGame(QStringLiteral(KANACATCH_APP_DIR))) return 1;
  form.SetPlayfieldSize({640, 480});
  form.ArrangeControls();
  form.show();
  ClearPlayfield();
  MojiCount_Click(3);  // 70 strings: the game outlasts the measurement
  Start_Click();

  QTemporaryDir folder;
  HistoryKeeper history(nullptr);
  QTimer writes;
  if (argc > 2 && QByteArray(argv[2]) == "writes") {
    platform::ChangeServices(
        [&](platform::Services& s) { s.programFolder = QStringLiteral(KANACATCH_APP_DIR); });
    history.Open(folder.filePath(QStringLiteral("history.sqlite")));
    QObject::connect(&writes, &QTimer::timeout, [&] { history.Record(SampleGame(1)); });
    writes.start(250);
  }

  QTimer::singleShot(seconds * 1000, [] {
    Game.MainLoopActive = false;
    platform::WakePassLoop();
  });
  std::vector<Clock::time_point> stepEnds;
  std::vector<double> stepMs;
  platform::RunPasses([&] {
    const int32_t lastStep = Game.LastStepTick;
    const Clock::time_point begin = Clock::now();
    const platform::PassOutcome outcome = MainLoopPass();
    if (Game.LastStepTick != lastStep) {
      stepEnds.push_back(Clock::now());
      stepMs.push_back(Ms(stepEnds.back() - begin));
    }
    return outcome;
  });

  std::vector<double> periods;
  for (size_t i = 1; i < stepEnds.size(); ++i) periods.push_back(Ms(stepEnds[i] - stepEnds[i - 1]));
  PrintDistribution("period_ms", periods);
  PrintDistribution("step_ms", stepMs);
  std::printf("strings_presented %d game_running %d games_kept %zu\n", Game.ShownCount,
              Game.GameRunning ? 1 : 0, history.Games().games.size());
  return Game.GameRunning ? 0 : 1;
}
