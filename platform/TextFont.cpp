#include "platform/TextFont.h"

#include <QStringList>
#include <algorithm>
#include <cmath>

namespace platform {
namespace {

// The face installed everywhere that looks like `face`: IPAPGothic for the
// proportional Gothic, IPAGothic for the fixed-pitch one.
QString StandIn(const QString& face) {
  if (face == FixedGothic) return QStringLiteral("IPAGothic");
  return QStringLiteral("IPAPGothic");
}

}  // namespace

int PointsToPixels(int points) { return static_cast<int>(std::lround(points * 96.0 / 72.0)); }

QFont ToQFont(const TextFont& font) {
  QFont qfont;
  qfont.setFamilies({font.face, StandIn(font.face)});
  qfont.setPixelSize(std::max(1, PointsToPixels(font.points)));
  qfont.setBold(font.bold);
  return qfont;
}

}  // namespace platform
