// The cost of one animation step on the real drawing code and the real
// pictures of the data set, and of its two parts: one hole's redraw and the
// counter band.
#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include "bench/BenchScene.h"
#include "platform/system/Services.h"
#include "rules/anim/Playfield.h"
#include "rules/kana/PlayfieldTexts.h"
#include "state/GameState.h"

namespace {

BenchClock stepClock;

// All six holes move and draw, then the counter band is redrawn.
void BM_SixHoleStep(benchmark::State& state) {
  for (auto _ : state) {
    if (!SixHoleStep(stepClock)) {
      state.SkipWithError("the pass made no animation step");
      break;
    }
  }
}
BENCHMARK(BM_SixHoleStep)->Unit(benchmark::kMicrosecond);

// One rising critter with a two-kana label redrawn over its background.
void BM_HoleRedraw(benchmark::State& state) {
  SetSixHolesMoving(stepClock.Read());
  Game.HoleMoji[1] = QStringLiteral("きゃ");
  for (auto _ : state) DrawHole(1, 1, 60, 10, 70);
}
BENCHMARK(BM_HoleRedraw)->Unit(benchmark::kMicrosecond);

void BM_CounterBand(benchmark::State& state) {
  for (auto _ : state) DrawCounts();
}
BENCHMARK(BM_CounterBand)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  platform::ChangeServices([&](platform::Services& s) { s.ticks = &stepClock; });
  if (!LoadBenchGame(QStringLiteral(KANACATCH_APP_DIR))) return 1;
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
