// Runs a given number of six-hole animation steps (see BenchScene.h), for
// counting their instructions under callgrind: the difference between two
// runs of different lengths is the cost of the extra steps alone, free of
// start-up and of the first step's font loading.
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>

#include "bench/BenchScene.h"
#include "platform/system/Services.h"

int main(int argc, char** argv) {
  if (argc != 2 || std::atoi(argv[1]) < 0) {
    std::fprintf(stderr, "usage: %s STEPS\n", argv[0]);
    return 2;
  }
  const int steps = std::atoi(argv[1]);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  BenchClock clock;
  platform::ChangeServices([&](platform::Services& s) { s.ticks = &clock; });
  if (!LoadBenchGame(QStringLiteral(KANACATCH_APP_DIR))) return 1;
  for (int i = 0; i < steps; ++i) {
    if (!SixHoleStep(clock)) {
      std::fprintf(stderr, "step %d made no animation step\n", i + 1);
      return 1;
    }
  }
  std::printf("%d steps\n", steps);
  return 0;
}
