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

namespace {

class Practice : public GameFixture {
 protected:
  void SetUp() override {
    GameFixture::SetUp();
    Game.LessonNo = PracticeLessonNo;
    platform::UseRandomSource(&draws);
  }
  void TearDown() override {
    SetPracticeWeights({});
    GameFixture::TearDown();
  }
  ScriptedRandom draws;
};

}  // namespace

// き escaped 9 times of 10 and came slowly; あ was caught every time, fast;
// every other string never came.
TEST_F(Practice, WeakStringsComeMoreOftenEveryStringCanComeAndEachPickDrawsOnce) {
  const std::map<QString, MojiTally> totals = {{QStringLiteral("き"), {10, 1, 9, 4000}},
                                               {QStringLiteral("あ"), {10, 10, 0, 5000}}};
  SetPracticeWeights(PracticeWeights(totals));
  constexpr int Picks = 40000;
  std::map<QString, int> seen;
  for (int pick = 1; pick <= Picks; ++pick) {
    SelectMoji(1 + pick % HoleCount);
    ++seen[Game.HoleMoji[1 + pick % HoleCount]];
    ASSERT_EQ(draws.drawn, pick);
  }
  EXPECT_EQ(seen.size(), 194u) << "every distinct string of the table came";
  const int unseenMean = Picks / 194;
  EXPECT_GT(seen[QStringLiteral("き")], 3 * unseenMean);
  EXPECT_LT(seen[QStringLiteral("あ")], unseenMean / 2);
}

// The lowest and highest draws reach the table's first and last entries,
// with weights and without.
TEST_F(Practice, TheDrawsAtTheEdgesPickTheFirstAndLastEntries) {
  for (const bool weighted : {false, true}) {
    SetPracticeWeights(weighted ? PracticeWeights({}) : std::vector<double>{});
    draws.draws = {0.0f, std::nextafter(1.0f, 0.0f)};
    SelectMoji(1);
    SelectMoji(2);
    EXPECT_EQ(Game.HoleMoji[1], Game.MojiTable[1]);
    EXPECT_EQ(Game.HoleMoji[2], Game.MojiTable[MojiTableSize]);
  }
}
