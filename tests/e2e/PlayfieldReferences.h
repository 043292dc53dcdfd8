#pragma once
#include <QImage>
#include <QRect>
#include <QString>
#include <optional>
#include <vector>

// What the playfield of the program under test should look like, drawn by
// the game's own code from the pictures the build wrote: the bare
// background, and the counter band for every count up to a maximum.
class PlayfieldReferences {
 public:
  PlayfieldReferences(const QString& programFolder, int maxCount);

  const QImage& BareBackground() const { return bare; }

  // The count 0 to maxCount whose band matches `area` of `playfield` best;
  // nothing when none matches closely, as while the band is half drawn.
  std::optional<int> ReadCounter(const QImage& playfield, const QRect& area) const;

 private:
  QImage bare;
  std::vector<QImage> bands;  // the composite with both counters at n
};

// The two counters of the band, "ぴこり n" on the left and "つかまえた n" on
// the right, clear of the typed-input box between them.
inline constexpr QRect ShownCountArea(0, 0, 255, 100);
inline constexpr QRect CatchCountArea(385, 0, 255, 100);

// The share of the pixels of `area` that differ from `reference` by more
// than a slight shade in some colour: 0 for a match, up to 1.
double Mismatch(const QImage& playfield, const QImage& reference, const QRect& area);
