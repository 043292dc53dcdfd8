// The kana of the game: the lessons' strings, picking them and their
// colours, the practice of weak strings, and the romaji hint printed under a
// rising critter's label.
#include <gtest/gtest.h>

#include <QPainter>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <map>

#include "history/PracticeWeights.h"
#include "platform/system/Services.h"
#include "romaji/RomajiTable.h"
#include "rules/anim/KobbinMove.h"
#include "rules/kana/MojiPicking.h"
#include "rules/kana/MojiTable.h"
#include "rules/kana/PlayfieldTexts.h"
#include "rules/kana/PracticePick.h"
#include "rules/kana/SettingsMenus.h"
#include "state/GameState.h"
#include "state/Pictures.h"
#include "support/GameFixture.h"

namespace {

class Kana : public GameFixture {
 protected:
  // Draws 0 and the largest draw below 1 first: the ends of what a pick
  // can choose.
  void DrawEndsFirst() {
    draws.draws = {0.0f, std::nextafter(1.0f, 0.0f)};
    platform::ChangeServices([&](platform::Services& s) { s.random = &draws; });
  }

  ScriptedRandom draws;
};

QStringList EntriesOf(LessonRange range) {
  QStringList entries;
  for (int k = range.Base + 1; k <= range.Base + range.Size; ++k) entries << Game.MojiTable[k];
  return entries;
}

// Hole h's critter picture, at game pixels, once its label (and hint, if it
// has one) is printed on white.
QImage Ink(int h) {
  KobPicture[h].ImageToDrawIn().fill(Qt::white);
  DrawMoji(h, HoleLabelAnchor[h - 1].x, HoleLabelAnchor[h - 1].y);
  return KobPicture[h].Image().scaled(KobWidth, KobHeight).convertToFormat(QImage::Format_RGB32);
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

// Three lesson-1 games of one morning: ぅ escaped all 7 times it came, ぇ
// 7 times of 10 and came slowly; the other 13 strings were caught at once.
History FirstMorning() {
  History history;
  const QStringList lesson1 = EntriesOf(LessonRangeOf(1));
  for (int game = 0; game < 3; ++game) {
    GameRecord record{
        QDateTime(QDate(2026, 12, 1), QTime(9, 10 * game), Qt::UTC), 1, 1, 30, 0, 0, 900, {}};
    for (const QString& moji : lesson1) record.moji[moji] = {2, 2, 0, 1800};
    record.moji[QStringLiteral("ぅ")] = {2 + game / 2, 0, 2 + game / 2, 0};
    record.moji[QStringLiteral("ぇ")] = {3 + game / 2, 1, 2 + game / 2, 1500};
    for (const auto& [moji, tally] : record.moji) {
      record.presented += tally.presented;
      record.caught += tally.caught;
    }
    AddToHistory(history, record);
  }
  return history;
}

// How often each string comes in `picks` practice picks planned at `now`,
// each pick one draw of the game's generator.
std::map<QString, int> PracticeDraws(const History& history, const QDateTime& now, int picks,
                                     ScriptedRandom& draws) {
  std::vector<QString> table;
  std::vector<bool> inRowsPlayed;
  for (int k = 1; k <= MojiTableSize; ++k) {
    table.push_back(Game.MojiTable[k]);
    inRowsPlayed.push_back(k <= LessonRangeOf(2).Base + LessonRangeOf(2).Size);
  }
  SetPracticeWeights(WeightsOf(PracticePlan(history, table, inRowsPlayed, now)));
  Game.LessonNo = PracticeLessonNo;
  platform::ChangeServices([&](platform::Services& s) { s.random = &draws; });
  std::map<QString, int> seen;
  for (int pick = 1; pick <= picks; ++pick) {
    SelectMoji(1);
    ++seen[Game.HoleMoji[1]];
  }
  SetPracticeWeights({});
  return seen;
}

// The strings drawn more often than ぅ or ぇ.
QStringList DrawnMoreThanTheWeak(std::map<QString, int> seen) {
  const int fewer = std::min(seen[QStringLiteral("ぅ")], seen[QStringLiteral("ぇ")]);
  QStringList more;
  for (const auto& [moji, times] : seen)
    if (times > fewer && moji != QStringLiteral("ぅ") && moji != QStringLiteral("ぇ")) more << moji;
  return more;
}
// The practice asks for the strings the learner met and finds hard; a
// string caught well rests, and comes back after days; new strings come a
// few at a time from the rows played (here lessons 1 and 2), never the
// whole table.
TEST_F(Kana, ThePracticeAsksForWeakStringsRestsTheWellCaughtAndBringsInAFewNewOnes) {
  constexpr int Picks = 30000;
  const History history = FirstMorning();
  const QDateTime thatNoon(QDate(2026, 12, 1), QTime(12, 0), Qt::UTC);
  std::map<QString, int> seen = PracticeDraws(history, thatNoon, Picks, draws);
  EXPECT_EQ(draws.drawn, Picks) << "one draw of the generator per pick";
  EXPECT_EQ(DrawnMoreThanTheWeak(seen), QStringList());
  const QStringList lesson1 = EntriesOf(LessonRangeOf(1));
  int met = 0, weak = seen[QStringLiteral("ぅ")] + seen[QStringLiteral("ぇ")];
  for (const QString& moji : lesson1) met += seen[moji];
  EXPECT_GE(met, Picks * 70 / 100) << "strings met";
  EXPECT_GE(weak, Picks * 60 / 100) << "ぅ and ぇ";
  QStringList fresh;
  for (const auto& [moji, times] : seen) {
    if (!lesson1.contains(moji)) fresh << moji;
  }
  EXPECT_EQ(fresh.join(' '), QStringLiteral("が ぎ ぐ")) << "the next strings of lesson 2";
  const int resting = seen[QStringLiteral("あ")];

  // Ten days on, the strings caught well have rested long enough: they come
  // back, though ぅ and ぇ still come most.
  seen = PracticeDraws(history, thatNoon.addDays(10), Picks, draws);
  EXPECT_EQ(DrawnMoreThanTheWeak(seen), QStringList());
  EXPECT_GT(seen[QStringLiteral("あ")], 4 * resting) << "あ, rested 10 days";
}

// Every string of the table in every hole, over a critter shaped like one
// that holds a placard out at its left: the hint's ink, outline and all,
// lies on the critter, in the rows that show when it is fully up, and
// apart from the label's ink.
TEST_F(Kana, TheHintLiesOnTheCritterApartFromTheLabel) {
  QImage mask(KobWidth, KobHeight, QImage::Format_Grayscale8);
  mask.fill(Qt::white);
  QPainter(&mask).fillRect(0, 54, 75, 54, Qt::black);
  QPainter(&mask).fillRect(20, 0, KobWidth - 20, KobHeight, Qt::black);
  // At 2 the mask is of a screen of ratio 2.
  for (int k = 1; k <= 8; ++k) Game.KobMaskImage[k] = mask.scaled(mask.size() * (k % 2 + 1));
  for (int h = 1; h <= HoleCount; ++h) {
    KobPicture[h].ForeColor = QColor(200, 200, 120);
    for (int k = 1; k <= MojiTableSize; ++k) {
      Game.HoleMoji[h] = Game.MojiTable[k];
      Game.HoleHint[h].clear();
      const QImage label = Ink(h);
      Game.HoleHint[h] = FirstSpelling(Game.HoleMoji[h]);
      const QImage both = Ink(h);
      for (int y = 0; y < KobHeight; ++y) {
        for (int x = 0; x < KobWidth; ++x) {
          if (both.pixel(x, y) == label.pixel(x, y)) continue;
          const std::string at =
              QString::asprintf("%s (%s) in hole %d at %d,%d", qPrintable(Game.HoleHint[h]),
                                qPrintable(Game.HoleMoji[h]), h, x, y)
                  .toStdString();
          ASSERT_LT(qGray(mask.pixel(x, y)), 128) << "off the critter: " << at;
          ASSERT_LT(y, Game.RestY[h] - Game.PeakY[h]) << "below the ground: " << at;
          ASSERT_EQ(label.pixel(x, y), qRgb(255, 255, 255)) << "on the label: " << at;
        }
      }
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
