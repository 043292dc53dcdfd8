#include <gtest/gtest.h>

#include <QImage>

#include "core/GameControl.h"
#include "game/GameState.h"
#include "game/Pictures.h"
#include "kana/PlayfieldTexts.h"
#include "platform/Picture.h"
#include "platform/Screen.h"
#include "support/GameFixture.h"
#include "support/PresentRecorder.h"
#include "support/TestPictures.h"

namespace {

// A started program with a patterned background in the composite.
class PlayfieldTexts : public GameFixture {
 protected:
  void SetUp() override {
    GameFixture::SetUp();
    FillWithPattern(BackPicture);
    AllPicture.Image() = BackPicture.Image().copy();
  }

  // `ground` with `text` printed on it at `at` in the given font and colour.
  static QImage Printed(const QImage& ground, const QString& text, QPoint at, int points, bool bold,
                        QColor colour) {
    platform::Picture picture;
    picture.Image() = ground.copy();
    picture.Font = {platform::ProportionalGothic, points, bold};
    picture.ForeColor = colour;
    picture.Print(at, text);
    return picture.Image();
  }

  // The counter band as it should look, `rows` rows high: red shown count,
  // orange catch count.
  QImage ExpectedBand(int shownCount, int catchCount, int rows) const {
    const QImage left = Printed(BackPicture.Image().copy(0, 0, 640, rows),
                                QStringLiteral("ぴこり %1").arg(shownCount), {65, 23}, 30, false,
                                QColor(255, 0, 0));
    return Printed(left, QStringLiteral("つかまえた %1").arg(catchCount), {390, 23}, 30, false,
                   QColor(255, 100, 0));
  }

  PresentRecorder shown;
};

}  // namespace

// One kana is printed big at the anchor, except the eight small kana (not
// the small tsu), which are printed smaller and further in; two kana are
// printed smaller, a little to the left and down.
TEST_F(PlayfieldTexts, TheLabelSizeAndPlaceFollowTheString) {
  const struct {
    const char* moji;
    QPoint anchor;
    int points;
    QPoint at;
  } cases[] = {{"あ", {10, 70}, 35, {10, 70}},
               {"ぁ", {10, 70}, 25, {20, 80}},
               {"ゃ", {5, 55}, 25, {15, 65}},
               {"っ", {40, 40}, 35, {40, 40}},
               {"きゃ", {40, 40}, 25, {35, 50}}};
  const QImage blank = platform::Picture(KobWidth, KobHeight).Image();
  KobPicture[2].ForeColor = QColor(0, 90, 40);
  for (const auto& c : cases) {
    KobPicture[2].Image().fill(Qt::white);
    Game.HoleMoji[2] = QString::fromUtf8(c.moji);
    DrawMoji(2, c.anchor.x(), c.anchor.y());
    platform::Picture expected;
    expected.Image() = blank.copy();
    expected.Font = {platform::ProportionalGothic, c.points, true};
    expected.ForeColor = QColor(0, 90, 40);
    expected.PrintOutlined(c.at, Game.HoleMoji[2], Qt::white);
    EXPECT_EQ(KobPicture[2].Image(), expected.Image()) << c.moji;
  }
}

TEST_F(PlayfieldTexts, TheCounterBandReplacesTheOldCountsOverTheBackground) {
  Game.ShownCount = Game.CatchCount = 88;
  DrawCounts();
  Game.ShownCount = 12;
  Game.CatchCount = 3;
  DrawCounts();
  EXPECT_EQ(AllPicture.Image().copy(0, 0, 640, 100), ExpectedBand(12, 3, 100));
  EXPECT_EQ(AllPicture.Image().copy(0, 100, 640, 380), BackPicture.Image().copy(0, 100, 640, 380));
  EXPECT_EQ(shown.bands.back().compositeArea, QRect(0, 0, 640, 100));
  EXPECT_EQ(shown.bands.back().windowRows, 100);
}

// A screen 640 pixels wide gets a band of 80 rows squeezed into 73 window rows.
TEST_F(PlayfieldTexts, TheLowResolutionBandRestoresEightyRowsForAScreenSixHundredAndFortyWide) {
  AllPicture.Image().fill(Qt::white);
  DrawCountsLowRes();
  EXPECT_EQ(AllPicture.Image().copy(0, 0, 640, 80), ExpectedBand(0, 0, 80));
  EXPECT_EQ(InkBounds(AllPicture.Image(), qRgb(255, 255, 255), QRect(0, 80, 640, 400)), QRect());
  EXPECT_EQ(shown.bands.back().compositeArea, QRect(0, 0, 640, 80));
  for (const int width : {640, 641}) {
    platform::UseScreenSize({width, 480});
    Start_Click();
    shown.Clear();
    Pass(31);
    ASSERT_FALSE(shown.bands.empty());
    EXPECT_EQ(shown.bands.back().windowRows, width == 640 ? 73 : 100) << width;
    Stop_Click();
  }
}
