#include "game/Pictures.h"

#include "game/GameState.h"

platform::Picture BackPicture;
platform::Picture AllPicture;
OneBased<platform::Picture, 8> KobPicture;

void SizePictures() {
  BackPicture.Resize(640, 480);
  AllPicture.Resize(640, 480);
  for (platform::Picture& picture : KobPicture) picture.Resize(KobWidth, KobHeight);
}
