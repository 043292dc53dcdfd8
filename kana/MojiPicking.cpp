#include "kana/MojiPicking.h"

#include "game/GameState.h"
#include "game/Pictures.h"
#include "kana/MojiTable.h"
#include "kana/PracticePick.h"
#include "platform/Random.h"

using platform::RandomWhole;
using platform::Rnd;

void SelectMoji(int h) {
  if (Game.LessonNo == PracticeLessonNo) {
    Game.HoleMoji[h] = Game.MojiTable[PracticeEntry(Rnd())];
    return;
  }
  const LessonRange range = LessonRangeOf(Game.LessonNo);
  const int k = range.Base + RandomWhole(Rnd(), range.Size);
  Game.HoleMoji[h] = Game.MojiTable[k];
}

void SelectMojiColor(int h) {
  Game.MojiRed[h] = static_cast<int16_t>(RandomWhole(Rnd(), 200));
  Game.MojiGreen[h] = static_cast<int16_t>(RandomWhole(Rnd(), 200));
  Game.MojiBlue[h] = static_cast<int16_t>(RandomWhole(Rnd(), 200));
  KobPicture[h].ForeColor = QColor(Game.MojiRed[h], Game.MojiGreen[h], Game.MojiBlue[h]);
}
