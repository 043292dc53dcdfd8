// The romaji hint: the first spelling of a rising critter's string, printed
// under its label.
#include <gtest/gtest.h>

#include "anim/KobbinMove.h"
#include "game/GameState.h"
#include "game/Pictures.h"
#include "kana/MojiPicking.h"
#include "kana/PlayfieldTexts.h"
#include "kana/RomajiTable.h"
#include "kana/SettingsMenus.h"
#include "support/GameFixture.h"

namespace {

class RomajiHint : public GameFixture {
 protected:
  // The rows of hole h's critter picture that hold ink, after its label
  // (and hint, if it has one) is printed on white.
  std::vector<int> InkRows(int h) {
    platform::Picture& picture = KobPicture[h];
    picture.Image().fill(Qt::white);
    const LabelAnchor anchor = HoleLabelAnchor[h - 1];
    DrawMoji(h, anchor.x, anchor.y);
    const QImage image = picture.Image().scaled(KobWidth, KobHeight);
    std::vector<int> rows;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        if (image.pixelColor(x, y) != Qt::white) {
          rows.push_back(y);
          break;
        }
      }
    }
    return rows;
  }
};

}  // namespace

// Every string of the table in every hole: the hint's rows lie below the
// label's, apart from them, and all above the ground line when the critter
// is fully up.
TEST_F(RomajiHint, LiesUnderTheLabelWithinTheRowsShownAtTheTop) {
  for (int h = 1; h <= HoleCount; ++h) {
    KobPicture[h].ForeColor = QColor(200, 30, 120);
    for (int k = 1; k <= MojiTableSize; ++k) {
      Game.HoleMoji[h] = Game.MojiTable[k];
      Game.HoleHint[h].clear();
      const std::vector<int> label = InkRows(h);
      Game.HoleHint[h] = FirstSpelling(Game.HoleMoji[h]);
      ASSERT_FALSE(Game.HoleHint[h].isEmpty()) << Game.HoleMoji[h].toStdString();
      const std::vector<int> both = InkRows(h);
      ASSERT_GT(both.back(), label.back() + 1) << "hole " << h << " " << k;
      ASSERT_LT(both.back(), Game.RestY[h] - Game.PeakY[h]) << "hole " << h << " " << k;
      // The rows between the label's last and the hint's first hold no ink.
      const auto hint = std::upper_bound(both.begin(), both.end(), label.back());
      ASSERT_GT(*hint, label.back() + 1) << "hole " << h << " " << k;
    }
  }
}

// Switched on or off, the hint changes from the next rise: the string's
// spelling goes with the string when it is picked.
TEST_F(RomajiHint, IsOffAtFirstAndSwitchesFromTheNextRise) {
  SelectMoji(1);
  EXPECT_TRUE(Game.HoleHint[1].isEmpty());
  RomajiHint_Click();
  EXPECT_TRUE(Game.HoleHint[1].isEmpty());
  SelectMoji(1);
  EXPECT_EQ(Game.HoleHint[1], FirstSpelling(Game.HoleMoji[1]));
  RomajiHint_Click();
  SelectMoji(1);
  EXPECT_TRUE(Game.HoleHint[1].isEmpty());
}
