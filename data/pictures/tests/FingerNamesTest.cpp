// The keyboard picture as the how-to-use screen shows it, under its row of
// finger names.
#include <gtest/gtest.h>

#include <QDir>
#include <QFontMetricsF>
#include <QPushButton>
#include <QRegularExpression>

#include "Keyboard.h"
#include "game/GameState.h"
#include "game/Pictures.h"
#include "platform/TextFont.h"
#include "screens/HowToUse.h"

namespace {

// The finger (0..7) whose key face colour `c` is, or -1 for anything else
// (the white between keys, a key's darker skirt, outlines, legends).
int FingerOfColour(QRgb c) {
  for (int finger = 0; finger < pictures::kFingers; ++finger) {
    const QColor face = pictures::fingerColour(finger).lighter(112);
    if (std::max({std::abs(qRed(c) - face.red()), std::abs(qGreen(c) - face.green()),
                  std::abs(qBlue(c) - face.blue())}) < 16) {
      return finger;
    }
  }
  return -1;
}

}  // namespace

// The screen prints the names at a fixed place whatever the picture; under
// the middle of each name, in every row of keys, there must be keys of that
// finger's colour and no other finger's.
TEST(KeyboardPicture, EachFingerNameStandsOverKeysOfItsFingerInEveryRow) {
  Game.KeyboardImage = QImage(QDir(QStringLiteral(KANACATCH_DATA_DIR)).filePath("KeyBorad.jpg"));
  ASSERT_FALSE(Game.KeyboardImage.isNull());
  SizePictures();
  QPushButton ok;
  const QFontMetricsF metrics(platform::ToQFont({platform::FixedGothic, 9, false}));
  for (const QSize inner : {QSize(640, 480), QSize(634, 436)}) {
    DrawHowToUse(ok, inner);
    const HowToUseLayout layout = HowToUseLayoutFor(inner);
    const qreal scale = layout.h / qreal(pictures::kKeyboardSize.height());
    int finger = 0;
    for (const QRegularExpressionMatch& name :
         QRegularExpression("[左右][^指]+指").globalMatch(FingerNames)) {
      const qreal centre = FingerNamesAt(inner).x() +
                           metrics.horizontalAdvance(FingerNames.left(name.capturedStart())) +
                           metrics.horizontalAdvance(name.captured()) / 2;
      for (int row = 0; row < 4; ++row) {
        const QRectF key = pictures::keyBox(row, 0);
        const int y = qRound(35 + (key.top() + key.height() * 0.3) * scale);
        std::set<int> seen;
        for (int x = qRound(centre) - 6; x <= qRound(centre) + 6; ++x) {
          const int under = FingerOfColour(AllPicture.Image().pixel(x, y));
          if (under >= 0) seen.insert(under);
        }
        EXPECT_EQ(seen, std::set<int>{finger})
            << name.captured().toStdString() << ", row " << row << ", window " << inner.width();
      }
      ++finger;
    }
    EXPECT_EQ(finger, pictures::kFingers);
  }
}
