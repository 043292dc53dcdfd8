// The outdoor scenes: the playfield background with its six holes (Back.jpg)
// and the title picture (Title.jpg).
#pragma once

#include <QImage>
#include <QPainter>

namespace pictures {

inline constexpr QSize kTitleSize{646, 524};

QImage renderBackground(int scale);
QImage renderTitle(int scale);

// A hole in the meadow: a dirt mound around a dark opening whose front lip is
// the ground line `groundY`, centred on `centreX`; `size` 1 is a playfield hole.
void paintHole(QPainter &painter, qreal centreX, qreal groundY, qreal size);

}  // namespace pictures
