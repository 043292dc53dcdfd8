// The four critters that come out of the holes, awake (Kob01..04, carrying a
// light patch for the kana label) and caught (Kob05..08: dizzy, with a bump
// and stars), and the masks the game uses to cut them out (KobMask01..08).
#pragma once

#include <QImage>
#include <QPainter>

namespace pictures {

// Paints critter `species` (1..4) into the current painter, in frame pixels
// (125 x 145, origin at the frame's top-left), anti-aliased, on nothing.
void paintCritter(QPainter &painter, int species, bool caught);

struct CritterPicture {
  QImage picture;  // the critter on pure white
  QImage mask;     // black exactly where the critter is, white elsewhere
};

// Renders a critter at `scale` times the frame size. The critter's outline is
// decided once per pixel (covered by at least half), and both the picture and
// the mask follow that decision, so they line up pixel for pixel.
CritterPicture renderCritter(int species, bool caught, int scale);

}  // namespace pictures
