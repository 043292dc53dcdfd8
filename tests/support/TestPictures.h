#pragma once
#include <QImage>
#include <QPoint>
#include <QRect>

namespace platform {
class Picture;
}

// Pictures for drawing tests, made in code so that every pixel is known.

// Critter picture k (1 to 8) is a disc of KobColour(k) on white inside its
// 125 x 145 image, and every mask the same disc in black; `scale` makes them
// that many times bigger.
constexpr QPoint KobDiscCentre(62, 50);
constexpr int KobDiscRadius = 40;
QRgb KobColour(int k);
QImage MakeKobImage(int k, int scale = 1);
QImage MakeKobMask(int scale = 1);

// A pattern in which every pixel tells where it is, so that a copy from the
// wrong place shows.
QRgb PatternAt(int x, int y);
void FillWithPattern(platform::Picture& picture);

// The smallest rectangle of `area` holding every pixel that is not `ground`.
QRect InkBounds(const QImage& image, QRgb ground, const QRect& area);

// How many pixels of `area` have exactly the colour `colour`.
int CountColour(const QImage& image, QRgb colour, const QRect& area);
