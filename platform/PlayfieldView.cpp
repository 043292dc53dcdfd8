#include "platform/PlayfieldView.h"

namespace platform {
namespace {

PlayfieldView* installedView = nullptr;

}  // namespace

void PresentComposite(const QRect& compositeArea) {
  if (installedView) installedView->Present(compositeArea);
}

void PresentCompositeBand(const QRect& compositeArea, int windowRows) {
  if (installedView) installedView->PresentBand(compositeArea, windowRows);
}

void UsePlayfieldView(PlayfieldView* view) { installedView = view; }

}  // namespace platform
