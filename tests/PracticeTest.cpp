// The practice of weak strings: its weights from the history, and picking
// with them.
#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "game/GameState.h"
#include "history/PracticeWeights.h"
#include "kana/MojiPicking.h"
#include "kana/MojiTable.h"
#include "kana/PracticePick.h"
#include "support/GameFixture.h"

using Practice = GameFixture;

// き escaped 9 times of 10 and came slowly; あ was caught every time, fast;
// every other string never came. The lowest and highest draws reach the
// table's ends.
TEST_F(Practice, WeakStringsComeMoreOftenEveryStringCanComeAndEachPickDrawsOnce) {
  SetPracticeWeights(PracticeWeights(
      {{QStringLiteral("き"), {10, 1, 9, 4000}}, {QStringLiteral("あ"), {10, 10, 0, 5000}}}));
  Game.LessonNo = PracticeLessonNo;
  ScriptedRandom draws;
  draws.draws = {0.0f, std::nextafter(1.0f, 0.0f)};
  platform::UseRandomSource(&draws);
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
  const int unseenMean = Picks / 194;
  EXPECT_GT(seen[QStringLiteral("き")], 3 * unseenMean);
  EXPECT_LT(seen[QStringLiteral("あ")], unseenMean / 2);
}
