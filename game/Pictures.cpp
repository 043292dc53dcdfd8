#include "game/Pictures.h"

#include "game/GameState.h"
#include "game/Holes.h"

platform::Picture BackPicture;
platform::Picture AllPicture;
OneBased<platform::Picture, 8> KobPicture;

void SizePictures() {
  BackPicture.Resize(640, 480);
  AllPicture.Resize(640, 480);
  // Items 7 and 8 are never used: they stay without an image.
  for (int h = 1; h <= HoleCount; ++h) KobPicture[h].Resize(KobWidth, KobHeight);
}
