#include "platform/drawing/TextFont.h"

#include <QFontDatabase>
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
  QStringList faces{font.face, StandIn(font.face)};
  const QString fallback = KanaFallbackFace();
  if (!fallback.isEmpty() && !faces.contains(fallback)) faces << fallback;
  qfont.setFamilies(faces);
  qfont.setPixelSize(std::max(1, PointsToPixels(font.points)));
  qfont.setBold(font.bold);
  return qfont;
}

QString KanaFallbackFace() {
  static const QString face = PickKanaFace(QFontDatabase::families(QFontDatabase::Japanese));
  return face;
}

QString PickKanaFace(const QStringList& kanaFaces) {
  for (const QString& face : kanaFaces) {
    if (face.contains(QStringLiteral("Gothic"), Qt::CaseInsensitive) ||
        face.contains(QStringLiteral("Sans"), Qt::CaseInsensitive)) {
      return face;
    }
  }
  return kanaFaces.value(0);
}

}  // namespace platform
