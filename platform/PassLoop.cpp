#include "platform/PassLoop.h"

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
  if (passTimer) passTimer->start(0);
}

}  // namespace platform
