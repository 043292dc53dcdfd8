#include "platform/drawing/PlayfieldView.h"

#include "platform/system/Services.h"

namespace platform {
void PresentComposite(const QRect& compositeArea) {
  if (PlayfieldView* view = CurrentServices().playfield) view->Present(compositeArea);
}

void PresentCompositeBand(const QRect& compositeArea, int windowRows) {
  if (PlayfieldView* view = CurrentServices().playfield)
    view->PresentBand(compositeArea, windowRows);
}

}  // namespace platform
