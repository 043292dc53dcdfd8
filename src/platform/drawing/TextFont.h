#pragma once
#include <QFont>
#include <QString>
#include <QStringList>

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
// stands in for it where the Windows face is missing, then any installed face
// that has kana, sized in pixels so that the text is the same whatever the
// screen's own resolution.
QFont ToQFont(const TextFont& font);

// The installed face that stands in for the Gothic faces where neither they
// nor the IPA faces are installed: one of the faces that fontconfig says
// cover Japanese. Empty when no installed face has kana.
QString KanaFallbackFace();

// The best stand-in for a Gothic face among `kanaFaces`: the first whose name
// says Gothic or Sans (the game's faces are sans-serif), else the first.
QString PickKanaFace(const QStringList& kanaFaces);

}  // namespace platform
