#include <gtest/gtest.h>

#include <QFontInfo>
#include <QImage>

#include "platform/Picture.h"
#include "platform/TextFont.h"
#include "support/TestPictures.h"

using platform::Picture;
using platform::ScaledForDrawing;

namespace {

// A white picture with a 35-point bold label font in dark blue.
class PrintedText : public testing::Test {
 protected:
  void SetUp() override {
    picture.ForeColor = QColor(20, 40, 160);
    picture.Font = {platform::ProportionalGothic, 35, true};
  }

  QRect Ink() const { return InkBounds(picture.Image(), qRgb(255, 255, 255), picture.Rect()); }
  int Strokes() const { return CountColour(picture.Image(), qRgb(20, 40, 160), picture.Rect()); }

  Picture picture{200, 160};
};

}  // namespace

TEST_F(PrintedText, TheTopLeftOfTheTextCellIsAtThePrintPosition) {
  picture.Print(QPoint(10, 70), QStringLiteral("あ"));
  const QRect ink = Ink();
  EXPECT_TRUE(QRect(10, 70, 7, 11).contains(ink.topLeft())) << "not the baseline";
  EXPECT_GE(ink.height(), 36) << "35 points are about 47 pixels";
  EXPECT_LE(ink.height(), 47);
  picture.Image().fill(Qt::white);
  picture.Print(QPoint(47, 83), QStringLiteral("あ"));
  EXPECT_EQ(Ink(), ink.translated(37, 13));
}

TEST_F(PrintedText, OnlyTheGlyphsAreDrawnInTheForeColourOverWhatWasThere) {
  FillWithPattern(picture);
  picture.Print(QPoint(10, 10), QStringLiteral("あい"));
  EXPECT_GT(Strokes(), 100);
  int kept = 0;
  for (int x = 10; x < 104; ++x) {
    for (int y = 10; y < 57; ++y) kept += picture.Image().pixel(x, y) == PatternAt(x, y);
  }
  EXPECT_GT(kept, 94 * 47 / 2) << "most of the text cell keeps its ground";
}

TEST_F(PrintedText, BoldTextHasThickerStrokesThanRegular) {
  picture.Print(QPoint(10, 10), QStringLiteral("あ"));
  const int bold = Strokes();
  picture.Image().fill(Qt::white);
  picture.Font.bold = false;
  picture.Print(QPoint(10, 10), QStringLiteral("あ"));
  EXPECT_GT(bold, Strokes());
}

TEST(TextFont, PointsAreTakenAtNinetySixDotsPerInch) {
  EXPECT_EQ(platform::PointsToPixels(35), 47);
  EXPECT_EQ(platform::PointsToPixels(30), 40);
  EXPECT_EQ(platform::PointsToPixels(25), 33);
  EXPECT_EQ(platform::ToQFont({platform::ProportionalGothic, 35, true}).pixelSize(), 47);
}

// Without the stand-in, Qt falls back to a Latin face that has no kana.
TEST(TextFont, TheWindowsGothicFacesFallBackToTheirIpaStandIns) {
  const QFont proportional = platform::ToQFont({platform::ProportionalGothic, 30, false});
  const QFont fixed = platform::ToQFont({platform::FixedGothic, 30, false});
  EXPECT_EQ(proportional.families().first(), QStringLiteral("ＭＳ Ｐゴシック"));
  EXPECT_EQ(QFontInfo(proportional).family(), QStringLiteral("IPAPGothic"));
  EXPECT_EQ(QFontInfo(fixed).family(), QStringLiteral("IPAGothic"));
}

TEST(ScaledForDrawing, ShrinksAPictureSmoothlyToTheSizeItIsDrawnAt) {
  QImage picture = MakeKobImage(2, 2);
  for (int y = 0; y < 20; ++y) picture.setPixel(1, y, 0);
  const QImage scaled = ScaledForDrawing(picture, QSize(125, 145));
  ASSERT_EQ(scaled.size(), QSize(125, 145));
  EXPECT_EQ(scaled.pixel(KobDiscCentre), KobColour(2));
  const int grey = qGray(scaled.pixel(0, 5));
  EXPECT_GT(grey, 64) << "one black and one white column blend";
  EXPECT_LT(grey, 192);
  EXPECT_TRUE(ScaledForDrawing(QImage(), QSize(125, 145)).isNull());
}

TEST(ScaledForDrawing, KeepsMoreImagePixelsPerGamePixelOnAHighResolutionScreen) {
  const QImage scaled = ScaledForDrawing(MakeKobImage(1, 2), QSize(125, 145), 2.0);
  EXPECT_EQ(scaled.size(), QSize(250, 290));
  Picture picture;
  picture.Image() = scaled;
  EXPECT_EQ(picture.Rect(), QRect(0, 0, 125, 145)) << "pictures measure in game pixels";
}
