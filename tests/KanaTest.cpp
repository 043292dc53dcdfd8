// The kana of the game: the lessons' strings, picking them and their
// colours, the practice of weak strings, and the romaji hint printed under a
// rising critter's label.
#include <gtest/gtest.h>

#include <QStringList>
#include <cmath>
#include <map>

#include "anim/KobbinMove.h"
#include "game/GameState.h"
#include "game/Pictures.h"
#include "history/PracticeWeights.h"
#include "kana/MojiPicking.h"
#include "kana/MojiTable.h"
#include "kana/PlayfieldTexts.h"
#include "kana/PracticePick.h"
#include "kana/RomajiTable.h"
#include "kana/SettingsMenus.h"
#include "support/GameFixture.h"

namespace {

class Kana : public GameFixture {
 protected:
  // Draws 0 and the largest draw below 1 first: the ends of what a pick
  // can choose.
  void DrawEndsFirst() {
    draws.draws = {0.0f, std::nextafter(1.0f, 0.0f)};
    platform::UseRandomSource(&draws);
  }

  ScriptedRandom draws;
};

QStringList EntriesOf(LessonRange range) {
  QStringList entries;
  for (int k = range.Base + 1; k <= range.Base + range.Size; ++k) entries << Game.MojiTable[k];
  return entries;
}

// The rows of hole h's critter picture that hold ink once its label (and
// hint, if it has one) is printed on white.
std::vector<int> InkRows(int h) {
  KobPicture[h].ImageToDrawIn().fill(Qt::white);
  DrawMoji(h, HoleLabelAnchor[h - 1].x, HoleLabelAnchor[h - 1].y);
  const QImage image = KobPicture[h].Image().scaled(KobWidth, KobHeight);
  std::vector<int> rows;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width() && (rows.empty() || rows.back() != y); ++x) {
      if (image.pixelColor(x, y) != Qt::white) rows.push_back(y);
    }
  }
  return rows;
}

}  // namespace

// Lessons 1 to 10, every entry in table order; lesson 11 is all of them.
// くょ comes twice in その他１, so it comes up twice as often there. Every
// pick draws once; the lowest and highest draws pick a lesson's ends.
TEST_F(Kana, EveryLessonHoldsExactlyItsEntriesAndTheEndDrawsPickItsEnds) {
  QStringList lessons;
  for (int lesson = 1; lesson <= LessonCount; ++lesson) {
    const QStringList entries = EntriesOf(LessonRangeOf(lesson));
    if (lesson <= 10) lessons << entries.join(' ');
    Game.LessonNo = static_cast<int16_t>(lesson);
    DrawEndsFirst();
    for (const QString& end : {entries.first(), entries.last()}) {
      SelectMoji(2);
      EXPECT_EQ(Game.HoleMoji[2], end) << "lesson " << lesson;
    }
  }
  EXPECT_EQ(draws.drawn, 2 * LessonCount);
  EXPECT_EQ(
      lessons,
      QStringList(
          {"あ い う え お ぁ ぃ ぅ ぇ ぉ か き く け こ",
           "が ぎ ぐ げ ご きゃ きぃ きゅ きぇ きょ ぎゃ ぎぃ ぎゅ ぎぇ ぎょ くぁ くぃ くぇ くぉ",
           "さ し す せ そ ざ じ ず ぜ ぞ しゃ しぃ しゅ しぇ しょ じゃ じぃ じゅ じぇ じょ",
           "た ち つ て と だ ぢ づ で ど でゃ でぃ でゅ でぇ でょ ちゃ ちぃ ちゅ ちぇ ちょ",
           "ぢゃ ぢぃ ぢゅ ぢぇ ぢょ な に ぬ ね の にゃ にぃ にゅ にぇ にょ",
           "は ひ ふ へ ほ ば び ぶ べ ぼ ぱ ぴ ぷ ぺ ぽ ひゃ ひぃ ひゅ ひぇ ひょ",
           "ま み む め も みゃ みぃ みゅ みぇ みょ や ゆ いぇ よ",
           "ら り る れ ろ りゃ りぃ りゅ りぇ りょ わ を ん",
           "うぁ うぃ うぇ うぉ くゃ くゅ くょ くぅ くょ ぐぁ ぐぃ ぐぅ ぐぇ ぐぉ "
           "すぁ すぃ すぅ すぇ すぉ つぁ つぃ つぇ つぉ てゃ てぃ てゅ てぇ てょ",
           "とぁ とぃ とぅ とぇ とぉ どぁ どぃ どぅ どぇ どぉ "
           "ふゃ ふゅ ふょ ふぁ ふぃ ふぅ ふぇ ふぉ びゃ びぃ びゅ びぇ びょ ぴゃ ぴぃ ぴゅ ぴぇ "
           "ぴょ ゃ ゅ ょ"}));
  EXPECT_EQ(EntriesOf(LessonRangeOf(11)).join(' '), lessons.join(' '));
}

// き escaped 9 times of 10 and came slowly; あ was caught every time, fast;
// every other string never came.
TEST_F(Kana, InThePracticeWeakStringsComeMoreOftenAndEveryStringCanCome) {
  SetPracticeWeights(PracticeWeights(
      {{QStringLiteral("き"), {10, 1, 9, 4000}}, {QStringLiteral("あ"), {10, 10, 0, 5000}}}));
  Game.LessonNo = PracticeLessonNo;
  DrawEndsFirst();
  constexpr int Picks = 40000;
  std::map<QString, int> seen;
  for (int pick = 1; pick <= Picks; ++pick) {
    SelectMoji(1);
    if (pick <= 2) {
      EXPECT_EQ(Game.HoleMoji[1], Game.MojiTable[pick == 1 ? 1 : MojiTableSize]);
    }
    ++seen[Game.HoleMoji[1]];
    ASSERT_EQ(draws.drawn, pick);
  }
  SetPracticeWeights({});
  EXPECT_EQ(seen.size(), 194u) << "every distinct string of the table came";
  EXPECT_GT(seen[QStringLiteral("き")], 3 * Picks / 194);
  EXPECT_LT(seen[QStringLiteral("あ")], Picks / 194 / 2);
}

// Every string of the table in every hole: the hint's rows lie below the
// label's, outlines included, and above the ground line when the critter is
// fully up; a pale label colour makes their black outlines count.
TEST_F(Kana, TheHintLiesUnderTheLabelWithinTheRowsShownAtTheTop) {
  for (int h = 1; h <= HoleCount; ++h) {
    KobPicture[h].ForeColor = QColor(200, 200, 120);
    for (int k = 1; k <= MojiTableSize; ++k) {
      Game.HoleMoji[h] = Game.MojiTable[k];
      Game.HoleHint[h].clear();
      const int labelEnd = InkRows(h).back();
      Game.HoleHint[h] = FirstSpelling(Game.HoleMoji[h]);
      const std::vector<int> rows = InkRows(h);
      const int hintStart = *std::upper_bound(rows.begin(), rows.end(), labelEnd);
      ASSERT_GT(hintStart, labelEnd) << "hole " << h << " entry " << k;
      ASSERT_LT(rows.back(), Game.RestY[h] - Game.PeakY[h]) << "hole " << h << " entry " << k;
    }
  }
}

// Switched on or off, the hint changes from the next rise: the spelling is
// taken with the string.
TEST_F(Kana, TheHintIsOffAtFirstAndSwitchesFromTheNextRise) {
  bool before = false;
  for (const bool on : {false, true, false}) {
    if (on != Game.RomajiHint) RomajiHint_Click();
    EXPECT_EQ(Game.HoleHint[1].isEmpty(), !before) << "the critter already up keeps its own";
    SelectMoji(1);
    EXPECT_EQ(Game.HoleHint[1], on ? FirstSpelling(Game.HoleMoji[1]) : QString());
    before = on;
  }
}
