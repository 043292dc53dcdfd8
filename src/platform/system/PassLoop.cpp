#include "platform/system/PassLoop.h"

#include <QEventLoop>
#include <QTimer>

namespace platform {
namespace {

QTimer* passTimer = nullptr;

}  // namespace

void RunPasses(const std::function<PassOutcome()>& pass) {
  QEventLoop loop;
  QTimer timer;
  timer.setSingleShot(true);
  timer.setTimerType(Qt::PreciseTimer);
  QObject::connect(&timer, &QTimer::timeout, [&] {
    const PassOutcome outcome = pass();
    if (!outcome.keepRunning) {
      loop.quit();
    } else if (outcome.nextDueIn) {
      timer.start(static_cast<int>(*outcome.nextDueIn));
    }
  });
  QTimer* outer = passTimer;
  passTimer = &timer;
  timer.start(0);
  loop.exec();
  passTimer = outer;
}

void WakePassLoop() {
  if (!passTimer) return;
  // Waking again before a due pass has run must not put that pass off:
  // restarting the timer would, and a steady stream of handlers would then
  // keep the game from ever taking a step.
  if (passTimer->isActive() && passTimer->remainingTime() == 0) return;
  passTimer->start(0);
}

}  // namespace platform
