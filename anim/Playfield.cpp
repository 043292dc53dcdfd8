#include "anim/Playfield.h"

#include <QRect>

#include "game/GameState.h"
#include "game/Pictures.h"
#include "game/ScreenRule.h"
#include "kana/PlayfieldTexts.h"
#include "platform/Blit.h"
#include "platform/PlayfieldView.h"

using platform::MERGEPAINT;
using platform::SRCAND;
using platform::SRCCOPY;
using platform::StretchBlt;

namespace {

QRect WholeOf(const QImage& image) {
  return QRect(QPoint(0, 0), image.deviceIndependentSize().toSize());
}

// Puts critter picture k over what KobPicture holds: its mask turns the
// critter's outline white and leaves the rest, then the picture's colours
// land in that outline while its white ground leaves the background.
void DrawKob(platform::Picture& kobPicture, int k) {
  const QRect kobArea(0, 0, KobWidth, KobHeight);
  StretchBlt(kobPicture, kobArea, Game.KobMaskImage[k], WholeOf(Game.KobMaskImage[k]), MERGEPAINT);
  StretchBlt(kobPicture, kobArea, Game.KobImage[k], WholeOf(Game.KobImage[k]), SRCAND);
}

}  // namespace

void DrawHole(int h, int picture, int shown, int dx, int dy) {
  const int left = Game.KobRect[h].Left;
  const int top = Game.KobRect[h].Top;
  const int step = Game.MoveStep;
  platform::Picture& kobPicture = KobPicture[h];

  // The band from one step above the critter down to the ground line gets
  // its background back, whichever way the critter moved.
  const QRect band(left, top - step, KobWidth, shown + step);
  StretchBlt(AllPicture, band, BackPicture, band, SRCCOPY);

  // The critter is put together over its own piece of background.
  StretchBlt(kobPicture, QRect(0, 0, KobWidth, shown), BackPicture,
             QRect(left, top, KobWidth, shown), SRCCOPY);
  if (Game.KobCaught[h]) {
    DrawKob(kobPicture, picture + 4);
  } else {
    DrawKob(kobPicture, picture);
    DrawMoji(h, dx, dy);
  }

  // Only the rows above the ground line go into the composite, so the
  // critter seems to come out of the ground.
  StretchBlt(AllPicture, QRect(left, top, KobWidth, shown), kobPicture,
             QRect(0, 0, KobWidth, shown), SRCCOPY);

  if (FullSizeScreen()) {
    platform::PresentComposite(QRect(left, Game.PeakY[h], KobWidth, Game.RestY[h] - Game.PeakY[h]));
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
