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

// One line of the input table: a kana string and the spellings shown for it.
struct Shown {
  QString kana;
  QStringList spellings;
};

// The input-table picture's source, lesson by lesson: "[caption]" starts a
// lesson, "#" lines are notes, other lines are "kana<TAB>spellings" with the
// spellings separated by blanks.
std::vector<std::vector<Shown>> InputTableLessons() {
  QFile file(QStringLiteral(KANACATCH_SOURCE_DIR "/data/pictures/romaji.tsv"));
  EXPECT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text)) << file.fileName().toStdString();
  std::vector<std::vector<Shown>> lessons;
  for (const QString& line : QString::fromUtf8(file.readAll()).split(u'\n')) {
    if (line.startsWith(u'[')) lessons.emplace_back();
    if (line.isEmpty() || line.startsWith(u'#') || line.startsWith(u'[')) continue;
    const QStringList fields = line.split(u'\t');
    EXPECT_EQ(fields.size(), 2) << line.toStdString();
    if (lessons.empty() || fields.size() != 2) continue;
    lessons.back().push_back({fields[0], fields[1].split(u' ', Qt::SkipEmptyParts)});
  }
  return lessons;
}

// Spellings an input method takes that the input table leaves out.
constexpr const char* MoreSpellings[] = {
    "い yi",    "う wu whu",    "ぃ xyi lyi",   "ぇ xye lye",   "く qu",
    "くぁ qwa", "くぃ qwi qyi", "くぇ qwe qye", "くぉ qwo",     "ん xn",
    "くぅ kwu", "ふぁ fwa",     "ふぃ fwi fyi", "ふぇ fwe fye", "ふぉ fwo"};

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
    QStringList inGame, shown;
    const LessonRange range = LessonRangeOf(lesson);
    for (int k = range.Base + 1; k <= range.Base + range.Size; ++k) inGame << Game.MojiTable[k];
    inGame.removeDuplicates();
    for (const Shown& line : lessons[lesson - 1]) shown << line.kana;
    EXPECT_EQ(shown, inGame) << "lesson " << lesson;
  }
}

// A "+" joins parts typed one after the other, for strings some input
// methods have no single spelling for.
TEST(RomajiSpellings, EachSpellingOfEachKanaTableStringGivesThatStringAtItsLastLetter) {
  std::vector<Shown> all;
  for (const auto& lesson : InputTableLessons())
    all.insert(all.end(), lesson.begin(), lesson.end());
  for (const char* more : MoreSpellings) {
    QStringList words = QString::fromUtf8(more).split(u' ');
    all.push_back({words.takeFirst(), words});
  }
  for (const Shown& line : all) {
    for (const QString& spelling : line.spellings) {
      const RomajiComposer box = Typed(QString(spelling).remove(u'+'));
      EXPECT_EQ(box.Text(), line.kana) << spelling.toStdString();
      EXPECT_EQ(box.Pending(), "") << spelling.toStdString();
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
               {"n\ba", "あ", ""},  {"kk\b", "っ", ""}});
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
