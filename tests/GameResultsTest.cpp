#include <gtest/gtest.h>

#include <QLabel>

#include "app/MainForm.h"
#include "core/GameControl.h"
#include "core/InputMatching.h"
#include "game/GameResults.h"
#include "game/GameState.h"
#include "platform/TextBox.h"
#include "screens/ResultsForm.h"
#include "support/GameFixture.h"

namespace {

class GameResultsTest : public GameFixture {
 protected:
  void TearDown() override {
    CloseResultsForm();
    GameFixture::TearDown();
  }
  MainForm form;  // opens and closes the results window

  // Plays a game to its end; the player types the string of every critter
  // in holes 1 to `catchUpTo` as soon as it can be caught and lets the
  // others sink. Returns how often each string was let go.
  std::map<QString, int> PlayCatchingHolesUpTo(int catchUpTo) {
    std::map<QString, int> letGo;
    PerHole<bool> wasRising;
    Start_Click();
    while (Game.GameRunning) {
      Pass();
      for (int h = 1; h <= HoleCount; ++h) {
        if (Game.KobRising[h] && !wasRising[h] && h > catchUpTo) ++letGo[Game.HoleMoji[h]];
        wasRising[h] = Game.KobRising[h];
        if (h <= catchUpTo && !Game.HoleMoji[h].isEmpty() &&
            Game.KobRect[h].Top < Game.RestY[h] - 40) {
          platform::DetachedText1().text = Game.HoleMoji[h];
          CheckInput(KeyReturn);
        }
      }
    }
    return letGo;
  }

  QStringList Texts() const {
    QStringList texts;
    for (const QLabel* label : ResultsForm::Instance()->findChildren<QLabel*>())
      texts << label->text();
    return texts;
  }
};

}  // namespace

TEST_F(GameResultsTest, AFinishedGameCountsItsCatchesTheirTimeAndEveryEscapedString) {
  Game.MojiTotal = 50;
  const std::map<QString, int> letGo = PlayCatchingHolesUpTo(3);
  EXPECT_EQ(Game.Results.presented, 50);
  EXPECT_EQ(Game.Results.caught, Game.CatchCount);
  EXPECT_EQ(Game.Results.escaped, letGo);
  int escapedTotal = 0;
  for (const auto& [moji, times] : Game.Results.escaped) escapedTotal += times;
  EXPECT_EQ(Game.Results.caught + escapedTotal, 50);
  EXPECT_EQ(MeanCatchMs(Game.Results), 62)
      << "caught at the third step, two step periods after the rise";
  EXPECT_EQ(CatchRatePercent(Game.Results), (100 * Game.Results.caught + 25) / 50);

  ASSERT_NE(ResultsForm::Instance(), nullptr);
  EXPECT_EQ(ResultsForm::Instance()->windowTitle(), "結果");
  EXPECT_TRUE(Texts().contains("50"));
  EXPECT_TRUE(Texts().contains("0.1 秒"));
}

TEST_F(GameResultsTest, EscapedStringsComeMostOftenFirstThenInTableOrder) {
  GameResults results;
  results.escaped = {{"き", 1}, {"か", 3}, {"あ", 3}, {"きゃ", 2}};
  const std::vector<std::pair<QString, int>> expected = {
      {"あ", 3}, {"か", 3}, {"きゃ", 2}, {"き", 1}};
  EXPECT_EQ(EscapedMostOftenFirst(results), expected);
}

TEST_F(GameResultsTest, AGameWithEveryCritterCaughtSaysNothingEscaped) {
  PlayCatchingHolesUpTo(6);
  EXPECT_EQ(Game.Results.caught, 30);
  EXPECT_TRUE(Game.Results.escaped.empty());
  EXPECT_EQ(CatchRatePercent(Game.Results), 100);
  EXPECT_TRUE(Texts().contains("にげた文字はありません"));
}

TEST_F(GameResultsTest, AStoppedGameOpensNoWindowAndTheNextStartClosesAnOpenOne) {
  Start_Click();
  RunPassesUntil([] { return Game.ShownCount >= 5; });
  Stop_Click();
  EXPECT_EQ(ResultsForm::Instance(), nullptr);
  PlayCatchingHolesUpTo(0);
  ASSERT_NE(ResultsForm::Instance(), nullptr);
  Start_Click();
  EXPECT_EQ(ResultsForm::Instance(), nullptr);
  EXPECT_EQ(Game.Results.presented, 0) << "a new game starts its own count";
}
