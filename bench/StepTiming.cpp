// Plays a game in the real event-driven main loop on the real clock for a
// number of seconds (20 unless given) in a window of the offscreen platform,
// and prints the distribution of the animation step periods (from the end of
// one step's drawing to the end of the next) and of the steps' own times.
#include <QApplication>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "anim/Playfield.h"
#include "app/MainForm.h"
#include "bench/BenchScene.h"
#include "core/GameControl.h"
#include "core/MainLoop.h"
#include "game/GameState.h"
#include "kana/SettingsMenus.h"
#include "platform/PassLoop.h"

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// Prints p50, p90, p99 and the maximum of `ms` (nearest rank).
void PrintDistribution(const char* name, std::vector<double> ms) {
  if (ms.empty()) {
    std::printf("%s none\n", name);
    return;
  }
  std::sort(ms.begin(), ms.end());
  const auto rank = [&](double p) {
    const size_t i = static_cast<size_t>(p * ms.size() + 0.999999);
    return ms[std::clamp<size_t>(i, 1, ms.size()) - 1];
  };
  std::printf("%s n=%zu p50=%.2f p90=%.2f p99=%.2f max=%.2f\n", name, ms.size(), rank(0.50),
              rank(0.90), rank(0.99), ms.back());
}

}  // namespace

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
  std::printf("strings_presented %d game_running %d\n", Game.ShownCount, Game.GameRunning ? 1 : 0);
  return Game.GameRunning ? 0 : 1;
}
