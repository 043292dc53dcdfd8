#pragma once
#include "platform/drawing/Picture.h"
#include "state/OneBased.h"

// The main window's hidden pictures. BackPicture holds the background,
// AllPicture is the composite the playfield shows, and KobPicture(h) is
// where hole h's critter is put together (items 7 and 8 go unused); the six
// share one image, as each critter is used up as soon as it is put together.
extern platform::Picture BackPicture;
extern platform::Picture AllPicture;
extern OneBased<platform::Picture, 8> KobPicture;

// Gives the pictures their sizes: 640 x 480 and 125 x 145.
void SizePictures();
