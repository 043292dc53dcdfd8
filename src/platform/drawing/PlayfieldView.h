#pragma once
#include <QRect>

namespace platform {

// The visible playfield. It keeps no image of its own: it shows the
// composite picture AllPicture, and the game tells it which part of the
// composite changed, in the composite's 640 x 480 pixels.
class PlayfieldView {
 public:
  virtual ~PlayfieldView() = default;
  virtual void Present(const QRect& compositeArea) = 0;

  // The counter band: `compositeArea`, a band across the top of the
  // composite, goes to the top `windowRows` rows of the playfield across its
  // whole width (on a small screen the 80 rows of the band fill 73 rows).
  // A view that always shows the composite scaled to fit presents the area.
  virtual void PresentBand(const QRect& compositeArea, int /*windowRows*/) {
    Present(compositeArea);
  }
};

// Tells the visible playfield that `compositeArea` of the composite changed;
// nothing happens while no playfield is installed.
void PresentComposite(const QRect& compositeArea);

// Tells the visible playfield that the band `compositeArea` at the top of
// the composite changed and goes to its top `windowRows` rows.
void PresentCompositeBand(const QRect& compositeArea, int windowRows);

}  // namespace platform
