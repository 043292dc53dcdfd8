#include "rules/anim/Playfield.h"

#include <QRect>
#include <utility>

#include "platform/drawing/Blit.h"
#include "platform/drawing/PlayfieldView.h"
#include "rules/kana/PlayfieldTexts.h"
#include "state/GameState.h"
#include "state/Pictures.h"
#include "state/ScreenRule.h"

using platform::MERGEPAINT;
using platform::SRCAND;
using platform::SRCCOPY;
using platform::StretchBlt;

namespace {

QRect WholeOf(const QImage& image) {
  return QRect(QPoint(0, 0), image.deviceIndependentSize().toSize());
}

// Puts critter picture k over rows `from` to `to` of what KobPicture holds:
// its mask turns the critter's outline white and leaves the rest, then the
// picture's colours land in that outline while its white ground leaves the
// background. A picture held at the critter's size and pixel ratio goes
// through row for row; any other is stretched over the whole critter
// (putting it over the same rows twice changes nothing).
void DrawKob(platform::Picture& kobPicture, int k, int from, int to) {
  const QRect kobArea(0, 0, KobWidth, KobHeight);
  const QRect rows(0, from, KobWidth, to - from);
  for (const auto& [image, op] :
       {std::pair{&Game.KobMaskImage[k], MERGEPAINT}, std::pair{&Game.KobImage[k], SRCAND}}) {
    if (image->size() == kobPicture.Image().size() &&
        image->devicePixelRatio() == kobPicture.Ratio()) {
      StretchBlt(kobPicture, rows, *image, rows, op);
    } else {
      StretchBlt(kobPicture, kobArea, *image, WholeOf(*image), op);
    }
  }
}

// Puts hole h's critter, picture k, together over its own piece of
// background in rows `from` to `to` of its scratch picture.
void ComposeKob(int h, int k, int from, int to) {
  const QRect rows(0, from, KobWidth, to - from);
  StretchBlt(KobPicture[h], rows, BackPicture,
             rows.translated(Game.KobRect[h].Left, Game.KobRect[h].Top), SRCCOPY);
  DrawKob(KobPicture[h], k, from, to);
}

}  // namespace

void DrawHole(int h, int picture, int shown, int dx, int dy) {
  const int left = Game.KobRect[h].Left;
  const int top = Game.KobRect[h].Top;
  const int step = Game.MoveStep;

  // The band from one step above the critter down to the ground line gets
  // its background back, whichever way the critter moved.
  const QRect band(left, top - step, KobWidth, shown + step);
  StretchBlt(AllPicture, band, BackPicture, band, SRCCOPY);

  // Only the rows above the ground line are put together and go into the
  // composite, so the critter seems to come out of the ground. A label
  // printed afresh gets the whole critter under it, so that the print,
  // which lies on the critter's body, serves every later step of the rise.
  if (Game.KobCaught[h]) {
    ComposeKob(h, picture + 4, 0, shown);
  } else {
    ComposeKob(h, picture, 0, shown);
    if (!DrawMojiAgain(h, dx, dy, shown)) {
      ComposeKob(h, picture, shown, KobHeight);
      DrawMoji(h, dx, dy);
    }
  }
  StretchBlt(AllPicture, QRect(left, top, KobWidth, shown), KobPicture[h],
             QRect(0, 0, KobWidth, shown), SRCCOPY);

  // The hole's column of the composite goes to the window one to one; of it,
  // only the erased and composed band changed.
  if (FullSizeScreen()) {
    const QRect column(left, Game.PeakY[h], KobWidth, Game.RestY[h] - Game.PeakY[h]);
    platform::PresentComposite(column.intersected(band));
  } else {
    ShowPlayfield();
  }
}

void ClearPlayfield() {
  platform::BitBlt(AllPicture, AllPicture.Rect(), BackPicture, QPoint(0, 0), SRCCOPY);
  ShowPlayfield();
}

void ShowPlayfield() { platform::PresentComposite(AllPicture.Rect()); }

void CloseHowToUse() { ClearPlayfield(); }
