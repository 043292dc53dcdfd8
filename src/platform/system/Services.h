#pragma once
#include <QRect>
#include <QString>

#include "platform/system/Screen.h"

namespace platform {

class MessageSink;
class MusicDevice;
class PlayfieldView;
class RandomSource;
class TextBox;
class TickSource;
class WavePlayer;

// What the game reaches through the platform, in one record: start-up fills
// it with the program's windows and message box, a test with its doubles, in
// one statement each. A member left empty stands for the program's own. The
// record is read and changed on the program's own thread only.
struct Services {
  TickSource* ticks = nullptr;         // the monotonic clock
  RandomSource* random = nullptr;      // the built-in generator
  WavePlayer* waves = nullptr;         // the sound module beside the program
  MusicDevice* music = nullptr;        // the synthesizer
  MessageSink* messages = nullptr;     // standard error, and exit status 1
  TextBox* text1 = nullptr;            // a box with no window behind it
  PlayfieldView* playfield = nullptr;  // no playfield shown
  ScreenSize screen = {};              // the primary screen's size
  int pixelRatio = 0;                  // the primary screen's pixel ratio
  QRect workArea = {};                 // the primary screen's work area
  QString programFolder = {};          // the executable's folder
  QString lockFolder = {};             // the user's runtime folder
};

// The record in use.
const Services& CurrentServices();

// Puts `services` in place of the record in use, whole.
void UseServices(const Services& services);

// Changes some members of the record in use, as `change` sets them.
template <typename Change>
void ChangeServices(Change change) {
  Services services = CurrentServices();
  change(services);
  UseServices(services);
}

// Empties the record: every service is the program's own again.
void ResetServices();

}  // namespace platform
