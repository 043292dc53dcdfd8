// The playfield's drawing: critters rising through their masks with their
// labels, and the counter band, checked against reviewed reference pictures.
#include <gtest/gtest.h>

#include <QPainter>

#include "platform/system/Caches.h"
#include "rules/anim/KobbinMove.h"
#include "rules/anim/Playfield.h"
#include "rules/control/GameControl.h"
#include "rules/kana/PlayfieldTexts.h"
#include "state/GameState.h"
#include "state/Pictures.h"
#include "support/GameFixture.h"
#include "support/MediaFiles.h"
#include "support/PictureCheck.h"
#include "support/PresentRecorder.h"

namespace {

// Critter picture k (1 to 8) is a disc of its own colour on white, `scale`
// times the critter's size; every mask is the same disc in black.
QImage MakeDisc(QRgb colour, int scale) {
  QImage image(125 * scale, 145 * scale, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(colour));
  painter.drawEllipse(QPoint(62, 50) * scale, 40 * scale, 40 * scale);
  return image;
}

const QString kReferences = QStringLiteral(KANACATCH_PICTURE_REFERENCES);

// A started program whose background is a pattern and whose critters are
// discs, with the bare background in the composite.
class Playfield : public GameFixture {
 protected:
  void SetUp() override {
    GameFixture::SetUp();
    platform::ChangeServices([this](platform::Services& s) { s.playfield = &shown; });
    UseRatio(1);
  }

  // A screen of `ratio` image pixels per game pixel in each direction. On
  // a screen of ratio 1 the pictures are twice the critter's size and the
  // drawing shrinks them; on one of ratio 2 they are shrunk when loaded.
  void UseRatio(int ratio) {
    platform::ChangeServices([&](platform::Services& s) { s.pixelRatio = ratio; });
    SizePictures();
    FillWithPattern(BackPicture.ImageToDrawIn());
    for (int k = 1; k <= 8; ++k) {
      Game.KobImage[k] = MakeDisc(qRgb(30 * k, 250 - 25 * k, 40 + 20 * k), ratio + 1);
      Game.KobMaskImage[k] = MakeDisc(0, ratio + 1);
      if (ratio > 1) {
        Game.KobImage[k] = platform::ScaledForDrawing(Game.KobImage[k], {125, 145}, ratio);
        Game.KobMaskImage[k] = platform::ScaledForDrawing(Game.KobMaskImage[k], {125, 145}, ratio);
      }
      Game.KobMaskImage[k] = platform::GrayIfColourless(Game.KobMaskImage[k]);
    }
    ClearPlayfield();
    shown.areas.clear();
  }

  PresentRecorder shown;
};

}  // namespace

// Scene 1, on screens of ratio 1 and 2: the six critters of a game rise step
// by step with the labels "あ", "ぁ", "きゃ", "っ", "ゃ" and "ん" in their game
// colours; the fifth is caught at the top and sinks three steps in its caught
// form. On the 800 x 600 screen the window holds the whole composite one to
// one and each drawn hole presents the rows of its column that changed (the
// first step: the critter's top 20 rows and the 20 erased above them); on the
// 800 x 599 one every drawing presents all of it. Stop then leaves the bare background.
// Scene 2: each step of a game draws the counter band over the old counts (88
// and 88 before, 12 shown and 3 caught now) on screens 1024, 641 and 640
// pixels wide; the last squeezes 80 rows into 73 window rows. A game that ends
// by itself keeps its band and puts every critter back in its hole.
TEST_F(Playfield, TheScriptedScenesLookAsBefore) {
  const char* labels[HoleCount] = {"あ", "ぁ", "きゃ", "っ", "ゃ", "ん"};
  for (const int ratio : {1, 2}) {
    platform::ChangeServices([&](platform::Services& s) { s.screen = {800, 601 - ratio}; });
    UseRatio(ratio);
    platform::ResetRandom();
    Start_Click();
    for (int step = 1; step <= 9; ++step) {
      clock.Advance(31);
      for (int h = 1; h <= HoleCount; ++h) {
        Game.HoleWait[h] = 0;
        MoveKob(h);
        Game.HoleMoji[h] = QString::fromUtf8(labels[h - 1]);
      }
      if (step == 7) Game.KobCaught[5] = Game.KobSinking[5] = true;
    }
    EXPECT_TRUE(MatchesReference(AllPicture.Image(), kReferences,
                                 QString("rising-critters-ratio%1").arg(ratio), kPrintedText));
    EXPECT_EQ(shown.areas.front(), ratio == 1 ? QRect(63, 212, 125, 40) : QRect(0, 0, 640, 480));
    Stop_Click();
    EXPECT_EQ(AllPicture.Image(), BackPicture.Image());
    EXPECT_EQ(shown.areas.back(), QRect(0, 0, 640, 480));
  }
  UseRatio(1);
  for (const int width : {1024, 641, 640}) {
    platform::ChangeServices([&](platform::Services& s) { s.screen = {width, 480}; });
    AllPicture.ImageToDrawIn().fill(Qt::white);
    Start_Click();
    for (int h = 1; h <= HoleCount; ++h) Game.HoleWait[h] = 30000;
    Game.ShownCount = Game.CatchCount = 88;
    Game.MojiTotal = 100;
    Pass(31);
    Game.ShownCount = 12;
    Game.CatchCount = 3;
    Pass(31);
    const auto& [area, windowRows] = shown.bands.back();
    EXPECT_EQ(std::pair(area.height(), windowRows),
              width > 640 ? std::pair(100, 100) : std::pair(80, 73))
        << width;
    EXPECT_TRUE(MatchesReference(AllPicture.Image().copy(0, 0, 640, 100), kReferences,
                                 width > 640 ? "counter-band" : "counter-band-narrow",
                                 kPrintedText))
        << width;
    Stop_Click();
  }

  Start_Click();
  Game.MojiTotal = 2;
  RunPassesUntil([] { return !Game.GameRunning; }, 31);
  EXPECT_NE(AllPicture.Image().copy(0, 0, 640, 80), BackPicture.Image().copy(0, 0, 640, 80));
  EXPECT_EQ(AllPicture.Image().copy(0, 100, 640, 380), BackPicture.Image().copy(0, 100, 640, 380));
}

// A new colour with the same string is a new label; over the disc the ground
// under the label's edge moves with the critter, so it is printed anew.
TEST_F(Playfield, EveryStepOfARiseShowsWhatAFreshPrintOfItsLabelShows) {
  // Critter 1 fills its whole picture, so its label lies on its body at
  // every height; critter 2, a disc, leaves the label's edge over the
  // background. Both are at the critter's size, as a game draws them.
  Game.KobImage[1] = PlainPicture(KobWidth, KobHeight, QColor(90, 160, 40));
  Game.KobMaskImage[1] = PlainPicture(KobWidth, KobHeight, Qt::black);
  Game.KobImage[2] = MakeDisc(qRgb(60, 200, 80), 1);
  Game.KobMaskImage[2] = MakeDisc(0, 1);
  ClearPlayfield();
  // Hole 2 rises and sinks with critter k; the composite after each step.
  // `afresh` makes every step print the label anew.
  const auto riseAndSink = [](int k, bool afresh) {
    std::vector<QImage> steps;
    const QString moji = Game.HoleMoji[2];
    for (const int rows : {20, 40, 60, 80, 100, 120, 100, 80, 60, 40, 20, 0}) {
      if (afresh) {
        Game.HoleMoji[2] = QStringLiteral("ん");
        DrawMoji(2, 60, 60);
        Game.HoleMoji[2] = moji;
      }
      Game.KobRect[2].Top = Game.RestY[2] - rows;
      DrawHole(2, k, rows, 60, 60);
      steps.push_back(AllPicture.Image().copy());
    }
    return steps;
  };
  Game.HoleMoji[2] = QStringLiteral("きゃ");
  for (const auto& [k, colour] :
       {std::pair{1, qRgb(200, 30, 30)}, {1, qRgb(20, 30, 200)}, {2, qRgb(200, 30, 30)}}) {
    KobPicture[2].ForeColor = QColor(colour);
    const std::vector<QImage> reused = riseAndSink(k, false);
    const std::vector<QImage> fresh = riseAndSink(k, true);
    for (size_t i = 0; i < fresh.size(); ++i) ASSERT_EQ(reused[i], fresh[i]) << k << " step " << i;
  }
}

// Covered by another screen (1) or the bare background (2), the band as
// printed is copied back, as a fresh print of the counts would show it; the
// playfield is told only of a band that changed the composite.
TEST_F(Playfield, TheCounterBandIsPrintedWhenACountChangesAndCopiedBackEveryStep) {
  // The counts, how the band is covered, and whether a count changed.
  const std::tuple<int, int, int, int> steps[] = {{0, 0, 0, 1}, {0, 0, 0, 0}, {1, 0, 0, 1},
                                                  {1, 0, 1, 0}, {1, 0, 2, 0}, {1, 1, 0, 1},
                                                  {1, 1, 0, 0}, {12, 1, 0, 1}};
  for (const auto& [shownCount, catchCount, covered, changed] : steps) {
    Game.ShownCount = static_cast<int16_t>(shownCount);
    Game.CatchCount = static_cast<int16_t>(catchCount);
    if (covered == 1) AllPicture.ImageToDrawIn().fill(Qt::white);
    if (covered == 2) ClearPlayfield();
    shown.bands.clear();
    DrawCounts();
    EXPECT_EQ(shown.bands.size(), changed || covered ? 1u : 0u) << shownCount << catchCount;
    const QImage band = AllPicture.Image().copy(0, 0, 640, 100);
    platform::ForgetCaches();  // the same counts printed afresh over the bare background
    ClearPlayfield();
    DrawCounts();
    EXPECT_EQ(band, AllPicture.Image().copy(0, 0, 640, 100)) << shownCount << catchCount;
  }
}
