#include "rules/kana/MojiPicking.h"

#include "platform/system/Random.h"
#include "romaji/RomajiTable.h"
#include "rules/kana/MojiTable.h"
#include "rules/kana/PracticePick.h"
#include "state/GameState.h"
#include "state/Pictures.h"

using platform::RandomWhole;
using platform::Rnd;

void SelectMoji(int h) {
  if (Game.LessonNo == PracticeLessonNo) {
    Game.HoleMoji[h] = Game.MojiTable[PracticeEntry(Rnd())];
  } else {
    const LessonRange range = LessonRangeOf(Game.LessonNo);
    Game.HoleMoji[h] = Game.MojiTable[range.Base + RandomWhole(Rnd(), range.Size)];
  }
  // The hint is taken with the string, so switching it shows from the next rise.
  Game.HoleHint[h] = Game.RomajiHint ? FirstSpelling(Game.HoleMoji[h]) : QString();
}

void SelectMojiColor(int h) {
  Game.MojiRed[h] = static_cast<int16_t>(RandomWhole(Rnd(), 200));
  Game.MojiGreen[h] = static_cast<int16_t>(RandomWhole(Rnd(), 200));
  Game.MojiBlue[h] = static_cast<int16_t>(RandomWhole(Rnd(), 200));
  KobPicture[h].ForeColor = QColor(Game.MojiRed[h], Game.MojiGreen[h], Game.MojiBlue[h]);
}
