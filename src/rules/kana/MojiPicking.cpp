#include "rules/kana/MojiPicking.h"

#include "platform/system/Random.h"
#include "romaji/KanaScript.h"
#include "romaji/RomajiTable.h"
#include "rules/kana/MojiTable.h"
#include "rules/kana/PracticePick.h"
#include "state/GameState.h"
#include "state/Pictures.h"

using platform::RandomWhole;
using platform::Rnd;

namespace {

// The table entry of the next string, with one draw.
const QString& DrawnEntry() {
  if (Game.LessonNo == PracticeLessonNo) return Game.MojiTable[PracticeEntry(Rnd())];
  const LessonRange range = LessonRangeOf(Game.LessonNo);
  return Game.MojiTable[range.Base + RandomWhole(Rnd(), range.Size)];
}

}  // namespace

void SelectMoji(int h) {
  // The table is in hiragana: in katakana the same entry, drawn alike, shows
  // in the other script and is spelt as its hiragana is.
  const QString& entry = DrawnEntry();
  Game.HoleMoji[h] = Game.Katakana ? InScript(entry, KanaScript::Katakana) : entry;
  // The hint is taken with the string, so switching it shows from the next rise.
  Game.HoleHint[h] = Game.RomajiHint ? FirstSpelling(entry) : QString();
}

void SelectMojiColor(int h) {
  Game.MojiRed[h] = static_cast<int16_t>(RandomWhole(Rnd(), 200));
  Game.MojiGreen[h] = static_cast<int16_t>(RandomWhole(Rnd(), 200));
  Game.MojiBlue[h] = static_cast<int16_t>(RandomWhole(Rnd(), 200));
  KobPicture[h].ForeColor = QColor(Game.MojiRed[h], Game.MojiGreen[h], Game.MojiBlue[h]);
}
