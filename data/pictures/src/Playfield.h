// Where the game shows the pictures: the six holes of the 640 x 480 playfield,
// the critter frame and the place of the kana label the game prints on a
// critter. The background, the preview and the tests all draw from here.
#pragma once

#include <QFont>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <array>

namespace pictures {

inline constexpr QSize kFieldSize{640, 480};
inline constexpr QSize kCritterSize{125, 145};  // one critter frame
inline constexpr int kHoleWidth = 124;          // x = left .. left + 124
inline constexpr int kSpecies = 4;              // Kob01..04; Kob05..08: the same, caught

struct Hole {
  int left;            // left edge of the hole and of the critter frame
  int restY;           // ground line: the critter comes out of the ground here
  int maxRise;         // rows of the critter shown when it is all the way up
  int species;         // which critter (1..4) lives in this hole
  QPoint labelAnchor;  // top-left of the label cell, in frame pixels
};

inline constexpr std::array<Hole, 6> kHoles{{
    {63, 252, 140, 1, {10, 70}},
    {270, 228, 120, 2, {40, 40}},
    {464, 252, 120, 3, {5, 55}},
    {63, 406, 120, 4, {40, 40}},
    {270, 429, 140, 1, {5, 70}},
    {464, 406, 120, 2, {45, 40}},
}};

// A kana label as the game prints it: one kana big, two kana or a lone small
// kana smaller and nudged so they stay on the critter's light patch.
struct Label {
  QFont font;
  QPoint cellTopLeft;  // frame pixels
};
Label labelFor(const QString &kana, QPoint anchor);

// Fonts of the pictures: IPA Gothic, proportional or fixed pitch.
QFont gothic(qreal pixelSize, bool bold = false, bool fixedPitch = false);

}  // namespace pictures
