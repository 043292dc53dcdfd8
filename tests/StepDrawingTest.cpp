// What an animation step draws: a critter's label is printed once and put
// back on the later steps of its rise, the counter band's texts only when a
// count changes; the composite stays what printing afresh gives.
#include <gtest/gtest.h>

#include <QImage>
#include <tuple>

#include "anim/Playfield.h"
#include "game/GameState.h"
#include "game/Pictures.h"
#include "kana/PlayfieldTexts.h"
#include "platform/Picture.h"
#include "support/GameFixture.h"
#include "support/PresentRecorder.h"

namespace {

// A disc of `colour` on white in a critter-sized picture.
QImage Disc(QRgb colour) {
  QImage image(KobWidth, KobHeight, QImage::Format_RGB32);
  for (int y = 0; y < KobHeight; ++y) {
    for (int x = 0; x < KobWidth; ++x) {
      const QPoint offset = QPoint(x, y) - QPoint(62, 50);
      image.setPixel(x, y,
                     QPoint::dotProduct(offset, offset) <= 1600 ? colour : qRgb(255, 255, 255));
    }
  }
  return image;
}

// A patterned background. Critter 1 fills its whole picture, so its label
// lies on its body at every height; critter 2 is the test disc, from which
// the label reaches out over the background.
class StepDrawing : public GameFixture {
 protected:
  void SetUp() override {
    GameFixture::SetUp();
    QImage& back = BackPicture.Image();
    for (int y = 0; y < back.height(); ++y) {
      for (int x = 0; x < back.width(); ++x)
        back.setPixel(x, y, qRgb(x % 256, y % 256, x / 256 * 64));
    }
    Game.KobImage[1] = QImage(KobWidth, KobHeight, QImage::Format_RGB32);
    Game.KobImage[1].fill(qRgb(90, 160, 40));
    Game.KobMaskImage[1] = QImage(KobWidth, KobHeight, QImage::Format_RGB32);
    Game.KobMaskImage[1].fill(Qt::black);
    Game.KobImage[2] = Disc(qRgb(60, 200, 80));
    Game.KobMaskImage[2] = Disc(qRgb(0, 0, 0));
    ClearPlayfield();
  }

  // Hole 2 rises and sinks with critter k; the composite after each step.
  // `afresh` makes every step print the label anew.
  std::vector<QImage> RiseAndSink(int k, bool afresh) {
    std::vector<QImage> steps;
    const QString moji = Game.HoleMoji[2];
    for (const int shown : {20, 40, 60, 80, 100, 120, 100, 80, 60, 40, 20, 0}) {
      if (afresh) {
        Game.HoleMoji[2] = QStringLiteral("ん");
        DrawMoji(2, 60, 60);
        Game.HoleMoji[2] = moji;
      }
      Game.KobRect[2].Top = Game.RestY[2] - shown;
      DrawHole(2, k, shown, 60, 60);
      steps.push_back(AllPicture.Image().copy());
    }
    return steps;
  }
};

// A new colour with the same string is a new label; over the disc the ground
// under the label's edge moves with the critter, so it is printed anew.
TEST_F(StepDrawing, ALabelIsPrintedOncePerRiseAndEveryStepShowsWhatAFreshPrintShows) {
  Game.HoleMoji[2] = QStringLiteral("きゃ");
  for (const auto& [k, colour, prints] : {std::tuple{1, qRgb(200, 30, 30), 1},
                                          {1, qRgb(20, 30, 200), 1},
                                          {2, qRgb(200, 30, 30), -1}}) {
    KobPicture[2].ForeColor = QColor(colour);
    const int before = PlayfieldTextPrints.labels;
    const std::vector<QImage> reused = RiseAndSink(k, false);
    if (prints >= 0) {
      EXPECT_EQ(PlayfieldTextPrints.labels - before, prints) << k;
    }
    const std::vector<QImage> fresh = RiseAndSink(k, true);
    for (size_t i = 0; i < fresh.size(); ++i) {
      ASSERT_EQ(reused[i], fresh[i]) << k << " step " << i;
    }
  }
}

// Covered by another screen, the band as printed is copied back; the
// playfield is told only of a band that changed the composite.
TEST_F(StepDrawing, TheCounterBandIsPrintedWhenACountChangesAndCopiedBackEveryStep) {
  PresentRecorder shown;
  for (const auto& [shownCount, catchCount, covered, prints] : {std::tuple{0, 0, false, 1},
                                                                {0, 0, false, 0},
                                                                {1, 0, false, 1},
                                                                {1, 0, true, 0},
                                                                {1, 1, false, 1},
                                                                {1, 1, false, 0},
                                                                {12, 1, false, 1}}) {
    Game.ShownCount = static_cast<int16_t>(shownCount);
    Game.CatchCount = static_cast<int16_t>(catchCount);
    if (covered) AllPicture.Image().fill(Qt::white);
    const int before = PlayfieldTextPrints.bands;
    shown.Clear();
    DrawCounts();
    EXPECT_EQ(PlayfieldTextPrints.bands - before, prints) << shownCount << catchCount;
    EXPECT_EQ(shown.bands.size(), prints || covered ? 1u : 0u) << shownCount << catchCount;
    platform::Picture expected;
    expected.Image() = BackPicture.Image().copy(0, 0, 640, 100);
    expected.Font = {platform::ProportionalGothic, 30, false};
    expected.ForeColor = QColor(255, 0, 0);
    expected.Print({65, 23}, QStringLiteral("ぴこり %1").arg(shownCount));
    expected.ForeColor = QColor(255, 100, 0);
    expected.Print({390, 23}, QStringLiteral("つかまえた %1").arg(catchCount));
    EXPECT_EQ(AllPicture.Image().copy(0, 0, 640, 100), expected.Image())
        << shownCount << catchCount;
  }
}

}  // namespace
