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

using RomajiHint = GameFixture;

namespace {

// The rows of hole h's critter picture that hold ink once its label (and
// hint, if it has one) is printed on white.
std::vector<int> InkRows(int h) {
  KobPicture[h].Image().fill(Qt::white);
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

// Every string of the table in every hole: the hint's rows lie below the
// label's, outlines included, and above the ground line when the critter is
// fully up; a pale label colour makes their black outlines count.
TEST_F(RomajiHint, LiesUnderTheLabelWithinTheRowsShownAtTheTop) {
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
TEST_F(RomajiHint, IsOffAtFirstAndSwitchesFromTheNextRise) {
  bool before = false;
  for (const bool on : {false, true, false}) {
    if (on != Game.RomajiHint) RomajiHint_Click();
    EXPECT_EQ(Game.HoleHint[1].isEmpty(), !before) << "the critter already up keeps its own";
    SelectMoji(1);
    EXPECT_EQ(Game.HoleHint[1], on ? FirstSpelling(Game.HoleMoji[1]) : QString());
    before = on;
  }
}
