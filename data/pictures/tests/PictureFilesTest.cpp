// Checks of the pictures the build wrote to Deta.
#include <gtest/gtest.h>

#include <QDir>
#include <QImageReader>

#include "Compose.h"
#include "KanaTable.h"
#include "Playfield.h"

using namespace pictures;

namespace {

QString CritterFile(const char* stem, int number) {
  return QStringLiteral("%1%2.jpg").arg(QLatin1String(stem)).arg(number, 2, 10, QLatin1Char('0'));
}

// A JPEG of Deta as RGB32, scaled to the critter's frame as the game draws it;
// a null image if it is missing or no JPEG.
QImage ReadFrame(const QString& name) {
  QImageReader reader(QDir(QStringLiteral(KANACATCH_DATA_DIR)).filePath(name), "jpeg");
  const QImage picture = reader.read();
  return picture.isNull() ? picture : toFrame(picture.convertToFormat(QImage::Format_RGB32));
}

int Luminance(QRgb c) { return (qRed(c) * 299 + qGreen(c) * 587 + qBlue(c) * 114) / 1000; }

int Difference(QRgb a, QRgb b) {
  return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                   std::abs(qBlue(a) - qBlue(b))});
}

}  // namespace

TEST(DataFolder, EveryPictureIsAJpegOfItsSize) {
  std::vector<std::pair<QString, QSize>> expected{
      {QStringLiteral("Back.jpg"), {1280, 960}},
      {QStringLiteral("Title.jpg"), {1292, 1048}},
      {QStringLiteral("KeyBorad.jpg"), {1024, 384}},
      {QStringLiteral("input.jpg"), {kTableWidth, kTableHeight}},
  };
  for (int number = 1; number <= 8; ++number) {
    expected.emplace_back(CritterFile("Kob", number), QSize(250, 290));
    expected.emplace_back(CritterFile("KobMask", number), QSize(250, 290));
  }
  for (const auto& [name, size] : expected) {
    QImageReader reader(QDir(QStringLiteral(KANACATCH_DATA_DIR)).filePath(name));
    EXPECT_EQ(reader.format(), "jpeg") << qPrintable(name);
    EXPECT_EQ(reader.read().size(), size) << qPrintable(name);
  }
}

// Composes every critter as the game does, over two grounds: where the mask
// is white the ground must come through unchanged (no dark halo, and no
// critter ink outside the mask), where it is black the critter, without a
// rim of blank paper; grey only along a thin edge.
TEST(CritterMasks, ComposeWithoutHalo) {
  for (int number = 1; number <= 8; ++number) {
    const QImage picture = ReadFrame(CritterFile("Kob", number));
    const QImage mask = ReadFrame(CritterFile("KobMask", number));
    ASSERT_FALSE(picture.isNull() || mask.isNull()) << number;
    for (QRgb ground : {qRgb(70, 170, 60), qRgb(40, 30, 110)}) {
      QImage field(kCritterSize, QImage::Format_RGB32);
      field.fill(ground);
      composeCritter(field, picture, mask, 0, kCritterSize.height(), kCritterSize.height());
      // Blank paper along the outline would show as a white rim.
      const auto nearOutside = [&](int x, int y) {
        for (int v = std::max(0, y - 1); v <= std::min(mask.height() - 1, y + 1); ++v) {
          for (int u = std::max(0, x - 1); u <= std::min(mask.width() - 1, x + 1); ++u) {
            if (Luminance(mask.pixel(u, v)) >= 250) return true;
          }
        }
        return false;
      };
      int darkHalo = 0, whiteHalo = 0, changed = 0, edge = 0;
      for (int y = 0; y < field.height(); ++y) {
        for (int x = 0; x < field.width(); ++x) {
          const int m = Luminance(mask.pixel(x, y));
          const QRgb shown = field.pixel(x, y);
          if (m >= 250) {
            darkHalo += Difference(shown, ground) > 10;
          } else if (m <= 5) {
            changed += Difference(shown, picture.pixel(x, y)) > 10;
            whiteHalo += Luminance(shown) >= 245 && nearOutside(x, y);
          } else {
            ++edge;
          }
        }
      }
      EXPECT_EQ(darkHalo, 0) << "Kob" << number;
      EXPECT_EQ(whiteHalo, 0) << "Kob" << number;
      EXPECT_EQ(changed, 0) << "Kob" << number;
      EXPECT_LT(edge, 2 * (kCritterSize.width() + 2 * kCritterSize.height())) << "Kob" << number;
    }
  }
}
