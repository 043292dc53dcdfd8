#include "rules/kana/MojiPicking.h"

#include "platform/system/Random.h"
#include "romaji/KanaScript.h"
#include "romaji/RomajiTable.h"
#include "romaji/WordSpelling.h"
#include "rules/kana/MojiTable.h"
#include "rules/kana/PracticePick.h"
#include "rules/kana/SettingsMenus.h"
#include "rules/kana/WordLessons.h"
#include "rules/kana/WordList.h"
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

// A word of the lesson's lengths, with one draw, from the table of the
// chosen script, in which its words are written: in the practice of weak
// words by the practice weights, otherwise each as likely. Null where the
// lesson has none, which its menu item does not let happen.
const Word* DrawnWord() {
  const std::vector<const Word*> words = WordsOfLesson(Game.LessonNo, ChosenScript());
  const int count = static_cast<int>(words.size());
  const int drawn = Game.LessonNo == WordPracticeLessonNo ? WordPracticeEntry(Rnd(), count)
                                                          : RandomWhole(Rnd(), count);
  return words.empty() ? nullptr : words[drawn - 1];
}

}  // namespace

void SelectMoji(int h) {
  if (IsWordLesson(Game.LessonNo)) {
    const Word* word = DrawnWord();
    Game.HoleMoji[h] = word ? word->kana : QString();
    Game.HoleHint[h] = word && Game.RomajiHint ? WordSpelling(word->kana) : QString();
    return;
  }
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
