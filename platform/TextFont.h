#pragma once
#include <QFont>
#include <QString>

namespace platform {

// The game's two Gothic faces, by the names the game asks for.
inline const QString ProportionalGothic = QStringLiteral("ＭＳ Ｐゴシック");
inline const QString FixedGothic = QStringLiteral("ＭＳゴシック");

// A font as the game chooses it: a face, a size in points and a weight.
struct TextFont {
  QString face = ProportionalGothic;
  int points = 9;
  bool bold = false;
};

// Pixels of a font size in points on the 96 dots per inch the playfield's
// layout assumes: 35 pt is 47 pixels.
int PointsToPixels(int points);

// The Qt font for `font`: the asked-for face first, then the IPA face that
// stands in for it where the Windows face is missing, sized in pixels so that
// the text is the same whatever the screen's own resolution.
QFont ToQFont(const TextFont& font);

}  // namespace platform
