#include <gtest/gtest.h>

#include <QImage>

#include "game/GameState.h"
#include "game/Pictures.h"
#include "kana/LabelOutline.h"
#include "kana/PlayfieldTexts.h"
#include "support/GameFixture.h"
#include "support/TestPictures.h"

namespace {

// Pixels of `label` in exactly the colour `glyph` next to one of exactly the
// colour `patch`: where the label's colour meets what lies behind it.
int GlyphPixelsTouchingThePatch(const QImage& label, QRgb glyph, QRgb patch) {
  int touching = 0;
  for (int y = 1; y < label.height() - 1; ++y) {
    for (int x = 1; x < label.width() - 1; ++x) {
      const QImage around = label.copy(x - 1, y - 1, 3, 3);
      touching += label.pixel(x, y) == glyph && CountColour(around, patch, around.rect()) > 0;
    }
  }
  return touching;
}

}  // namespace

// Known values of the accessibility guidelines: black on white, and #777777
// on white, just under 4.5 : 1.
TEST(LabelOutline, ContrastRatiosMatchTheGuidelinesKnownValues) {
  EXPECT_DOUBLE_EQ(ContrastRatio(Qt::black, Qt::white), 21.0);
  EXPECT_NEAR(ContrastRatio(QColor(0x77, 0x77, 0x77), Qt::white), 4.48, 0.005);
}

// Every colour the label colour rule can draw (each channel 1 to 200) gets an
// outline of black or white that stands out from it by at least 4.5 : 1.
TEST(LabelOutline, EveryLabelColourStandsOutFromItsOutline) {
  double worst = 21.0;
  QColor worstColour;
  for (int r = 1; r <= 200; ++r) {
    for (int g = 1; g <= 200; ++g) {
      for (int b = 1; b <= 200; ++b) {
        const QColor label(r, g, b);
        const QColor outline = LabelOutlineColor(label);
        ASSERT_TRUE(outline == Qt::black || outline == Qt::white) << r << ',' << g << ',' << b;
        const double ratio = ContrastRatio(label, outline);
        if (ratio < worst) {
          worst = ratio;
          worstColour = label;
        }
      }
    }
  }
  std::printf("worst label contrast %.3f : 1 for (%d, %d, %d)\n", worst, worstColour.red(),
              worstColour.green(), worstColour.blue());
  EXPECT_GE(worst, 4.5);
}

class LabelPrinting : public GameFixture {};

// A pale label on the pale patch, and a dark one on a dark patch: the label
// colour touches only its outline, never the patch.
TEST_F(LabelPrinting, TheLabelColourNeverTouchesThePatchBehindIt) {
  const struct {
    QRgb glyph;
    QRgb patch;
    QRgb outline;
    const char* moji;
  } cases[] = {{qRgb(200, 200, 120), qRgb(250, 240, 215), qRgb(0, 0, 0), "こ"},
               {qRgb(200, 190, 150), qRgb(250, 240, 215), qRgb(0, 0, 0), "すぃ"},
               {qRgb(20, 20, 90), qRgb(30, 30, 60), qRgb(255, 255, 255), "ぁ"}};
  for (const auto& c : cases) {
    KobPicture[3].Image().fill(c.patch);
    KobPicture[3].ForeColor = QColor(c.glyph);
    Game.HoleMoji[3] = QString::fromUtf8(c.moji);
    DrawMoji(3, 5, 55);
    const QImage& label = KobPicture[3].Image();
    EXPECT_GT(CountColour(label, c.glyph, label.rect()), 100) << c.moji;
    EXPECT_GT(CountColour(label, c.outline, label.rect()), 50) << c.moji;
    EXPECT_EQ(GlyphPixelsTouchingThePatch(label, c.glyph, c.patch), 0) << c.moji;
  }
}
