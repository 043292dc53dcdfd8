// How the game puts a critter on the playfield: both the critter and its mask
// are scaled smoothly to the 125 x 145 frame, then, over the shown rows,
//   field = (NOT mask) OR field;  field = critter AND field   (per channel).
// The preview and the tests use this to see the pictures as a player will.
#pragma once

#include <QImage>
#include <QPoint>

namespace pictures {

QImage toFrame(const QImage &picture);  // smooth scale to 125 x 145, RGB32

// Puts the top `rows` rows of a frame-sized critter onto `field` so that its
// last shown row sits just above y = groundY.
void composeCritter(QImage &field, const QImage &critter, const QImage &mask, int left, int groundY,
                    int rows);

}  // namespace pictures
