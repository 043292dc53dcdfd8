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
};

// Tells the visible playfield that `compositeArea` of the composite changed;
// nothing happens while no playfield is installed.
void PresentComposite(const QRect& compositeArea);

// Installs `view` as the visible playfield; nullptr removes it.
void UsePlayfieldView(PlayfieldView* view);

}  // namespace platform
