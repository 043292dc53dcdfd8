#include "platform/system/WallClock.h"

namespace platform {

QDateTime WallClock() { return QDateTime::currentDateTimeUtc(); }

}  // namespace platform
