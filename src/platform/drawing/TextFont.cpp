#include "platform/drawing/TextFont.h"

#include <QFontDatabase>
#include <algorithm>
#include <cmath>
#include <optional>

#include "platform/system/Caches.h"

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
  // Picked at the first call, and again after the caches are forgotten.
  static std::optional<QString> face;
  [[maybe_unused]] static const bool forgettable = ForgetWithCaches([] { face.reset(); });
  if (!face) face = PickKanaFace(QFontDatabase::families(QFontDatabase::Japanese));
  return *face;
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
