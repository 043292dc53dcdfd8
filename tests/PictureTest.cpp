#include <gtest/gtest.h>

#include <QFontInfo>
#include <QImage>

#include "platform/Picture.h"
#include "platform/TextFont.h"
#include "support/TestPictures.h"

using platform::Picture;
using platform::ScaledForDrawing;

TEST(PrintedText, StartsItsCellAtThePrintPositionAndDrawsOnlyBoldGlyphsOverTheGround) {
  Picture picture(200, 160);
  picture.ForeColor = QColor(20, 40, 160);
  picture.Font = {platform::ProportionalGothic, 35, true};
  const auto ink = [&] { return InkBounds(picture.Image(), qRgb(255, 255, 255), picture.Rect()); };
  const auto strokes = [&] {
    return CountColour(picture.Image(), qRgb(20, 40, 160), picture.Rect());
  };
  picture.Print(QPoint(10, 70), QStringLiteral("あ"));
  const QRect first = ink();
  const int bold = strokes();
  EXPECT_TRUE(QRect(10, 70, 7, 11).contains(first.topLeft())) << "not the baseline";
  EXPECT_GE(first.height(), 36) << "35 points are about 47 pixels";
  EXPECT_LE(first.height(), 47);

  picture.Image().fill(Qt::white);
  picture.Print(QPoint(47, 83), QStringLiteral("あ"));
  EXPECT_EQ(ink(), first.translated(37, 13));
  picture.Image().fill(Qt::white);
  picture.Font.bold = false;
  picture.Print(QPoint(10, 70), QStringLiteral("あ"));
  EXPECT_GT(bold, strokes()) << "bold strokes are thicker";

  FillWithPattern(picture);
  picture.Print(QPoint(10, 10), QStringLiteral("あい"));
  int kept = 0;
  for (int x = 10; x < 104; ++x) {
    for (int y = 10; y < 57; ++y) kept += picture.Image().pixel(x, y) == PatternAt(x, y);
  }
  EXPECT_GT(strokes(), 100);
  EXPECT_GT(kept, 94 * 47 / 2) << "most of the text cell keeps its ground";
}

// Points are taken at 96 dots an inch; without the stand-in, Qt falls back to
// a Latin face that has no kana.
TEST(TextFont, HasThePixelSizeOfItsPointsAndFallsBackToTheIpaStandIns) {
  EXPECT_EQ(platform::PointsToPixels(30), 40);
  EXPECT_EQ(platform::PointsToPixels(25), 33);
  const QFont proportional = platform::ToQFont({platform::ProportionalGothic, 35, false});
  EXPECT_EQ(proportional.pixelSize(), 47);
  EXPECT_EQ(proportional.families().first(), QStringLiteral("ＭＳ Ｐゴシック"));
  EXPECT_EQ(QFontInfo(proportional).family(), QStringLiteral("IPAPGothic"));
  EXPECT_EQ(QFontInfo(platform::ToQFont({platform::FixedGothic, 30, false})).family(),
            QStringLiteral("IPAGothic"));
}

TEST(ScaledForDrawing, ShrinksSmoothlyToTheDrawnSizeTimesThePixelRatio) {
  QImage picture = MakeKobImage(2, 2);
  for (int y = 0; y < 20; ++y) picture.setPixel(1, y, 0);
  const QImage scaled = ScaledForDrawing(picture, QSize(125, 145));
  ASSERT_EQ(scaled.size(), QSize(125, 145));
  EXPECT_EQ(scaled.pixel(KobDiscCentre), KobColour(2));
  const int grey = qGray(scaled.pixel(0, 5));
  EXPECT_GT(grey, 64) << "one black and one white column blend";
  EXPECT_LT(grey, 192);
  EXPECT_TRUE(ScaledForDrawing(QImage(), QSize(125, 145)).isNull());

  Picture sharp;
  sharp.Image() = ScaledForDrawing(picture, QSize(125, 145), 2.0);
  EXPECT_EQ(sharp.Image().size(), QSize(250, 290));
  EXPECT_EQ(sharp.Rect(), QRect(0, 0, 125, 145)) << "pictures measure in game pixels";
}

// On a screen of ratio 2 a label is drawn with the screen's own pixels, not
// a game-sized label blown up: twice as tall and wide in image pixels.
TEST(PrintedText, AtRatioTwoALabelHasTwiceThePixelsInEachDirection) {
  Picture picture(200, 160);
  picture.Font = {platform::ProportionalGothic, 35, true};
  picture.Print(QPoint(10, 70), QStringLiteral("きゃ"));
  const QRect single = InkBounds(picture.Image(), qRgb(255, 255, 255), picture.Rect());
  platform::UsePixelRatio(2);
  Picture sharp(200, 160);
  platform::UsePixelRatio(0);
  ASSERT_EQ(sharp.Rect(), picture.Rect());
  sharp.ForeColor = picture.ForeColor;
  sharp.Font = picture.Font;
  sharp.Print(QPoint(10, 70), QStringLiteral("きゃ"));
  const QRect ink = InkBounds(sharp.Image(), qRgb(255, 255, 255), sharp.Image().rect());
  EXPECT_NEAR(ink.left(), 2 * single.left(), 2);
  EXPECT_NEAR(ink.top(), 2 * single.top(), 2);
  EXPECT_NEAR(ink.width(), 2 * single.width(), 3);
  EXPECT_NEAR(ink.height(), 2 * single.height(), 3);
}
