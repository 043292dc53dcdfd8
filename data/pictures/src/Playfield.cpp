#include "Playfield.h"

namespace pictures {

QFont gothic(qreal pixelSize, bool bold, bool fixedPitch) {
  QFont font(fixedPitch ? QStringLiteral("IPAGothic") : QStringLiteral("IPAPGothic"));
  font.setPixelSize(qRound(pixelSize));
  font.setBold(bold);
  font.setStyleStrategy(QFont::PreferAntialias);
  return font;
}

Label labelFor(const QString &kana, QPoint anchor) {
  // Point sizes at 96 dpi: 35 pt for one kana, 25 pt for two or a small one.
  static const QString smallKana = QStringLiteral("ぁぃぅぇぉゃゅょっゎ");
  const qreal bigPx = 35.0 * 96.0 / 72.0;
  const qreal smallPx = 25.0 * 96.0 / 72.0;
  if (kana.size() >= 2) return {gothic(smallPx, true), anchor + QPoint(-5, 10)};
  if (smallKana.contains(kana)) return {gothic(smallPx, true), anchor + QPoint(10, 10)};
  return {gothic(bigPx, true), anchor};
}

}  // namespace pictures
