#pragma once
#include <QByteArray>
#include <QImage>
#include <QString>
#include <cstdint>
#include <vector>

#include "state/GameResults.h"
#include "state/Holes.h"
#include "state/OneBased.h"

constexpr int MojiTableSize = 195;

// One word of the word lessons: the kana a player types, the way it is
// usually written (with kanji where it has them), and its English meaning.
struct Word {
  QString kana;
  QString written;
  QString meaning;
};

// A word table read from its file: the words in the file's order, or, when
// the file cannot be used, what is wrong with it and where ("line 12: ...").
struct WordTable {
  std::vector<Word> words;
  QString fault;
};

// The one game state that every part of the program reads and writes.
struct GameState {
  // Settings, chosen from the menus, kept from game to game and from one
  // run to the next.
  int16_t SpeedLevel = 0;   // 1 fast, 2 rather fast, 3 slow
  int16_t LessonNo = 0;     // 1 to 11, or 12: the practice of weak strings
  int16_t MojiTotal = 0;    // strings per game: 30, 50 or 70
  bool BgmOff = false;      // the player switched the music off
  bool RomajiHint = false;  // rising critters show their string's spelling
  bool Katakana = false;    // every string shows in katakana, not hiragana

  // A game's flags, counters and tick stamps.
  bool MainLoopActive = false;
  bool GameRunning = false;
  int16_t ShownCount = 0;  // strings presented so far
  int16_t CatchCount = 0;  // critters caught
  int32_t LastStepTick = 0;
  int32_t BgmStartTick = 0;

  // Each hole's critter.
  PerHole<KobRectangle> KobRect;
  PerHole<bool> KobRising;
  PerHole<bool> KobSinking;
  PerHole<bool> KobCaught;
  PerHole<int16_t> HoleWait;  // length of the current pause, ms
  PerHole<int32_t> HoleTick;  // tick stamp at which that pause began
  PerHole<QString> HoleMoji;  // the string the critter carries
  PerHole<QString> HoleHint;  // its spelling under the label; empty without the hint
  PerHole<int16_t> MojiRed;
  PerHole<int16_t> MojiGreen;
  PerHole<int16_t> MojiBlue;

  // Hole geometry: Top of a critter fully down and fully up.
  PerHole<int16_t> RestY;
  PerHole<int16_t> PeakY;
  int32_t MoveStep = 0;  // pixels a critter moves per animation step

  // The kana material.
  OneBased<QString, MojiTableSize> MojiTable;
  // The word lessons' tables as start-up read them from the data folder.
  WordTable HiraganaWords;
  WordTable KatakanaWords;

  // The critter pictures 1 to 8 (5 to 8 are the caught forms of 1 to 4)
  // and their masks, kept at the size they are drawn at.
  OneBased<QImage, 8> KobImage;
  OneBased<QImage, 8> KobMaskImage;
  // The keyboard picture of the how-to-use screen as its file holds it,
  // a tenth of its decoded size; decoded whenever the screen shows.
  QByteArray KeyboardJpeg;

  // Full paths of the two sounds.
  QString MissSoundPath;
  QString CatchSoundPath;

  // What the player did in the current game, for the results window.
  GameResults Results;
};

extern GameState Game;

// Sets the settings' defaults and the hole geometry at start-up.
void InitSettings();

// Puts the whole record back to zero, false and empty, as it is before
// start-up.
void ClearGameState();
