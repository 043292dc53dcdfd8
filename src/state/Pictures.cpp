#include "state/Pictures.h"

#include "state/GameState.h"
#include "state/Holes.h"

platform::Picture BackPicture;
platform::Picture AllPicture;
OneBased<platform::Picture, 8> KobPicture;

void SizePictures() {
  BackPicture.Resize(640, 480);
  AllPicture.Resize(640, 480);
  // A hole's critter is put together afresh, over the rows it shows, each
  // time it is drawn, and copied into the composite before the next hole's
  // is: the six holes share one image. Items 7 and 8 are never used.
  KobPicture[1].Resize(KobWidth, KobHeight);
  for (int h = 2; h <= HoleCount; ++h) KobPicture[h].ShareImageOf(KobPicture[1]);
}
