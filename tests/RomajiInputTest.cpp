#include <gtest/gtest.h>

#include <QFile>
#include <vector>

#include "game/GameState.h"
#include "kana/MojiTable.h"
#include "kana/RomajiInput.h"
#include "kana/RomajiTable.h"

namespace {

// Feeds `keys` to a fresh composer: "\b" stands for Backspace and "\n" for
// Enter, every other character is typed.
RomajiComposer Typed(const QString& keys) {
  RomajiComposer box;
  for (const QChar key : keys) {
    if (key == u'\b') {
      box.Backspace();
    } else if (key == u'\n') {
      box.CommitAtEnter();
    } else {
      box.Type(key);
    }
  }
  return box;
}

// The input table's strings, lesson by lesson, from the file that lays out
// its picture: "[caption]" starts a lesson, "#" lines are notes, other lines
// are rows of strings separated by blanks.
std::vector<QStringList> InputTableLessons() {
  QFile file(QStringLiteral(KANACATCH_SOURCE_DIR "/data/pictures/input-table.txt"));
  EXPECT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text)) << file.fileName().toStdString();
  std::vector<QStringList> lessons;
  for (const QString& line : QString::fromUtf8(file.readAll()).split(u'\n')) {
    if (line.startsWith(u'[')) lessons.emplace_back();
    if (line.isEmpty() || line.startsWith(u'#') || line.startsWith(u'[')) continue;
    if (!lessons.empty()) lessons.back() << line.split(u' ', Qt::SkipEmptyParts);
  }
  return lessons;
}

// Spellings of the game's strings that Mozc or Anthy takes; the box must too.
constexpr const char* InputMethodSpellings[] = {
    "てぃ t'i", "でぃ d'i",  "てゅ t'yu",  "でゅ d'yu",  "とぅ t'u", "どぅ d'u",   "ふぁ hwa",
    "ふぃ hwi", "ふぇ hwe",  "ふぉ hwo",   "ふゅ hwyu",  "づ dzu",   "ん n' n xn", "くぅ kwu",
    "い yi",    "う wu whu", "ぃ xyi lyi", "ぇ xye lye", "く qu",    "ふぃ fyi",   "ふぇ fye"};

// Spellings that Mozc or Anthy leaves as Latin letters ("qya" gives ｑや).
constexpr const char* RefusedByAnInputMethod[] = {
    "qa",  "qi",  "qe",  "qo",  "qya", "qyu", "qyo", "qwu", "qwa", "qwi", "qwe",
    "qwo", "fwu", "gwi", "gwu", "gwe", "gwo", "swa", "swi", "swu", "swe", "swo",
    "twa", "twi", "twe", "two", "dwa", "dwi", "dwe", "dwo", "kwu", "hwu"};

// One typed sequence and what the box then holds.
struct Case {
  const char* keys;
  const char* text;
  const char* pending;
};

void ExpectCases(std::initializer_list<Case> cases) {
  for (const Case& c : cases) {
    const RomajiComposer box = Typed(QString::fromUtf8(c.keys));
    EXPECT_EQ(box.Text(), QString::fromUtf8(c.text)) << "keys: " << c.keys;
    EXPECT_EQ(box.Pending(), QString::fromUtf8(c.pending)) << "keys: " << c.keys;
  }
}

}  // namespace

// The table shows each lesson's strings once each, in the game's order
// (くょ comes twice in lesson 9).
TEST(InputTable, ListsEachLessonsDistinctStringsInTheOrderOfTheKanaTable) {
  MakeMojiTable();
  const auto lessons = InputTableLessons();
  ASSERT_EQ(static_cast<int>(lessons.size()), LessonCount - 1);
  for (int lesson = 1; lesson < LessonCount; ++lesson) {
    QStringList inGame;
    const LessonRange range = LessonRangeOf(lesson);
    for (int k = range.Base + 1; k <= range.Base + range.Size; ++k) inGame << Game.MojiTable[k];
    inGame.removeDuplicates();
    EXPECT_EQ(lessons[lesson - 1], inGame) << "lesson " << lesson;
  }
}

// A "+" joins parts typed one after the other. The first spelling is the one
// to learn: every common input method must take it.
TEST(RomajiSpellings, EveryShownSpellingOfEachGameStringGivesItAndTheFirstWorksEverywhere) {
  MakeMojiTable();
  const QStringList refused = [] {
    QStringList list;
    for (const char* spelling : RefusedByAnInputMethod) list << spelling;
    return list;
  }();
  for (int k = 1; k <= MojiTableSize; ++k) {
    const QString& moji = Game.MojiTable[k];
    const QStringList spellings = ShownSpellings(moji);
    ASSERT_FALSE(spellings.isEmpty()) << moji.toStdString();
    EXPECT_EQ(FirstSpelling(moji), spellings.first());
    for (const QString& part : spellings.first().split(u'+')) {
      EXPECT_FALSE(refused.contains(part)) << moji.toStdString() << " " << part.toStdString();
    }
    for (const QString& spelling : spellings) {
      const RomajiComposer box = Typed(QString(spelling).remove(u'+'));
      EXPECT_EQ(box.Text(), moji) << spelling.toStdString();
      EXPECT_EQ(box.Pending(), "") << spelling.toStdString();
    }
  }
  for (const char* line : InputMethodSpellings) {
    QStringList words = QString::fromUtf8(line).split(u' ');
    const QString moji = words.takeFirst();
    for (const QString& spelling : words) {
      EXPECT_EQ(Typed(spelling + "\n").Text(), moji) << spelling.toStdString();
    }
  }
}

// A spelling that a shorter one completes before its last letter could never
// be typed.
TEST(RomajiSpellings, EverySpellingTheBoxKnowsIsReachable) {
  for (const RomajiRule& rule : RomajiRules()) {
    EXPECT_EQ(Typed(rule.spelling + "\n").Text(), rule.kana) << rule.spelling.toStdString();
  }
}

// "nn", "n'" and "xn" are ん; a lone n becomes ん before a consonant other
// than n or y, and at Enter, where other pending letters are dropped.
TEST(RomajiN, GivesNnOnlyWhereNoNaRowKanaCanFollow) {
  ExpectCases({{"nn", "ん", ""},
               {"n'", "ん", ""},
               {"xn", "ん", ""},
               {"nya", "にゃ", ""},
               {"nnya", "んや", ""},
               {"nna", "んあ", ""},
               {"nnna", "んな", ""},
               {"nk", "ん", "k"},
               {"nwa", "んわ", ""},
               {"n'a", "んあ", ""},
               {"kanji", "かんじ", ""},
               {"n", "", "n"},
               {"ny", "", "ny"},
               {"kan\n", "かん", ""},
               {"ky\n", "", ""},
               {"kak\n", "か", ""}});
}

TEST(RomajiDoubledConsonants, GiveSmallTsuAndKeepTheSecondLetterPending) {
  ExpectCases({{"kk", "っ", "k"},
               {"ssha", "っしゃ", ""},
               {"tchi", "っち", ""},
               {"matcha", "まっちゃ", ""},
               {"xtu", "っ", ""},
               {"ltsu", "っ", ""}});
}

// Uppercase converts like lowercase and what stays pending keeps its case;
// a non-letter settles the pending letters and joins the text unchanged.
TEST(RomajiOtherKeys, UppercaseConvertsAndNonLettersJoinTheTextUnchanged) {
  ExpectCases({{"KA", "か", ""},    {"Kya", "きゃ", ""}, {"NN", "ん", ""},     {"N\n", "ん", ""},
               {"KK", "っ", "K"},   {"kY", "", "kY"},    {"K1", "K1", ""},     {"ka1", "か1", ""},
               {"n.", "ん.", ""},   {"ka!", "か!", ""},  {"k'", "k'", ""},     {"ka ", "か ", ""},
               {"nか", "んか", ""}, {"éa", "éあ", ""},   {"kqa", "kくぁ", ""}, {"tsk", "ts", "k"},
               {"ky\b", "", "k"},   {"kak\b", "か", ""}, {"kak\b\b", "", ""},  {"kya\b", "き", ""},
               {"n\ba", "あ", ""},  {"kk\b", "っ", ""},  {"t'a", "t'あ", ""},  {"D'U", "どぅ", ""},
               {"t'\b", "", "t"}});
}

TEST(RomajiKeyResult, TellsWhetherTheTextChangedAndIgnoresControlCharacters) {
  RomajiComposer box;
  EXPECT_EQ(box.Type(u'k'), KeyResult::Held);
  EXPECT_EQ(box.Type(u'y'), KeyResult::Held);
  EXPECT_EQ(box.Type(u'a'), KeyResult::Changed);
  EXPECT_EQ(box.Type(u'n'), KeyResult::Held);
  EXPECT_EQ(box.Type(u'\t'), KeyResult::Ignored);
  EXPECT_EQ(box.Type(QChar(0x1b)), KeyResult::Ignored);
  EXPECT_EQ(box.Type(u'k'), KeyResult::Changed);
  EXPECT_EQ(box.Type(u'?'), KeyResult::Changed);
  EXPECT_EQ(box.Text(), "きゃんk?");
}

TEST(RomajiInputMethodText, IsKeptAsCommittedAndBackspaceNeverSplitsACharacter) {
  RomajiComposer box = Typed("n");
  box.AppendCommitted("きゃ");
  box.Type(u'a');
  EXPECT_EQ(box.Text(), "んきゃあ");
  box.Type(u'k');
  box.SetText(QString::fromUtf8("か😀"));
  EXPECT_EQ(box.Pending(), "") << "setting the text drops pending letters";
  EXPECT_TRUE(box.Backspace());
  EXPECT_EQ(box.Text(), "か");
  box.Type(u'k');
  box.Clear();
  EXPECT_EQ(box.Text() + box.Pending(), "");
  EXPECT_FALSE(box.Backspace()) << "an empty box";
}
