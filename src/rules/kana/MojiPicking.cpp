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

// Whether a critter other than hole h's carries a word that `kana` begins,
// or that begins `kana`: typing the longer of them in the box would catch the
// shorter on the way.
bool BeginsOrIsBegunByAWordUp(const QString& kana, int h) {
  for (int other = 1; other <= HoleCount; ++other) {
    const QString& up = Game.HoleMoji[other];
    if (other != h && !up.isEmpty() && up != kana && (up.startsWith(kana) || kana.startsWith(up)))
      return true;
  }
  return false;
}

// A word of the lesson's lengths for hole h, with one draw, from the table
// of the chosen script, in which its words are written: in the practice of
// weak words by the practice weights, otherwise each as likely. No word of a
// lesson of one length begins another, but the practice mixes the lengths:
// there a word that begins a word up in another hole, or that such a word
// begins, gives way to the next one in the table's order that none does.
// Null where the lesson has none, which its menu item does not let happen.
const Word* DrawnWord(int h) {
  const std::vector<const Word*> words = WordsOfLesson(Game.LessonNo, ChosenScript());
  const int count = static_cast<int>(words.size());
  const int drawn = Game.LessonNo == WordPracticeLessonNo ? WordPracticeEntry(Rnd(), count)
                                                          : RandomWhole(Rnd(), count);
  if (words.empty()) return nullptr;
  if (Game.LessonNo != WordPracticeLessonNo) return words[drawn - 1];
  for (int step = 0; step < count; ++step) {
    const Word* word = words[(drawn - 1 + step) % count];
    if (!BeginsOrIsBegunByAWordUp(word->kana, h)) return word;
  }
  return words[drawn - 1];
}

}  // namespace

void SelectMoji(int h) {
  if (IsWordLesson(Game.LessonNo)) {
    const Word* word = DrawnWord(h);
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
