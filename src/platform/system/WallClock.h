#pragma once
#include <QDateTime>

namespace platform {

// The date and time now, in UTC: when a game of the history was played.
// The game itself never reads it; its time is the tick counter's.
QDateTime WallClock();

}  // namespace platform
