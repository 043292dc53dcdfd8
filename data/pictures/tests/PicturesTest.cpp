// The pictures the build wrote to Deta, read back and shown as the game shows them.
#include <gtest/gtest.h>

#include <QDir>
#include <QFontMetricsF>
#include <QImageReader>
#include <QPushButton>
#include <QRegularExpression>
#include <set>

#include "Compose.h"
#include "KanaTable.h"
#include "Keyboard.h"
#include "Playfield.h"
#include "game/GameState.h"
#include "game/Pictures.h"
#include "kana/MojiTable.h"
#include "platform/TextFont.h"
#include "screens/HowToUse.h"
#include "screens/InputTable.h"

using namespace pictures;

namespace {

const QDir Deta(QStringLiteral(KANACATCH_DATA_DIR));

QString CritterFile(const char* stem, int number) {
  return Deta.filePath(QString::asprintf("%s%02d.jpg", stem, number));
}

// The largest difference of the three channels.
int Difference(QRgb a, QRgb b) {
  return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                   std::abs(qBlue(a) - qBlue(b))});
}

// Whether the mask is white (outside the critter) at or next to (x, y).
bool NearOutside(const QImage& mask, int x, int y) {
  for (int v = y - 1; v <= y + 1; ++v)
    for (int u = x - 1; u <= x + 1; ++u)
      if (mask.valid(u, v) && qGray(mask.pixel(u, v)) >= 250) return true;
  return false;
}

}  // namespace

TEST(DataFolder, EveryPictureIsAJpegOfItsSize) {
  std::vector<std::pair<QString, QSize>> expected{
      {Deta.filePath("Back.jpg"), {1280, 960}},
      {Deta.filePath("Title.jpg"), {1292, 1048}},
      {Deta.filePath("KeyBorad.jpg"), {1024, 384}},
      {Deta.filePath("input.jpg"), {kTableWidth, kTableHeight}}};
  for (int number = 1; number <= 8; ++number)
    for (const char* stem : {"Kob", "KobMask"})
      expected.emplace_back(CritterFile(stem, number), QSize(250, 290));
  for (const auto& [file, size] : expected) {
    QImageReader reader(file);
    EXPECT_EQ(reader.format(), "jpeg") << qPrintable(file);
    EXPECT_EQ(reader.read().size(), size) << qPrintable(file);
  }
}

// Composes every critter as the game does, over two grounds: where the mask
// is white the ground must come through unchanged (no dark halo), where it is
// black no blank paper may show along the outline (no white rim); grey only
// along a thin edge.
TEST(CritterMasks, ComposeWithoutHalo) {
  for (int number = 1; number <= 8; ++number) {
    const QImage picture = toFrame(QImage(CritterFile("Kob", number)));
    const QImage mask = toFrame(QImage(CritterFile("KobMask", number)));
    ASSERT_FALSE(picture.isNull() || mask.isNull()) << number;
    for (QRgb ground : {qRgb(70, 170, 60), qRgb(40, 30, 110)}) {
      QImage field(kCritterSize, QImage::Format_RGB32);
      field.fill(ground);
      composeCritter(field, picture, mask, 0, kCritterSize.height(), kCritterSize.height());
      int darkHalo = 0, whiteRim = 0, edge = 0;
      for (int y = 0; y < field.height(); ++y) {
        for (int x = 0; x < field.width(); ++x) {
          const int m = qGray(mask.pixel(x, y));
          darkHalo += m >= 250 && Difference(field.pixel(x, y), ground) > 10;
          whiteRim += m <= 5 && qGray(field.pixel(x, y)) >= 245 && NearOutside(mask, x, y);
          edge += m > 5 && m < 250;
        }
      }
      EXPECT_TRUE(darkHalo == 0 && whiteRim == 0 &&
                  edge < 2 * (kCritterSize.width() + 2 * kCritterSize.height()))
          << "Kob" << number << ": " << darkHalo << " dark, " << whiteRim << " white, " << edge
          << " grey";
    }
  }
}

// The how-to-use screen prints the finger names at a fixed place whatever the
// picture; under the middle of each name, in every row of keys, there must be
// keys of that finger's colour and no other finger's.
TEST(KeyboardPicture, EachFingerNameStandsOverKeysOfItsFingerInEveryRow) {
  Game.KeyboardImage = QImage(Deta.filePath("KeyBorad.jpg"));
  SizePictures();
  QPushButton ok;
  const QFontMetricsF metrics(platform::ToQFont({platform::FixedGothic, 9, false}));
  // The finger (0..7) whose key face colour `c` is, or -1 for anything else
  // (the white between keys, a key's darker skirt, outlines, legends).
  const auto fingerOf = [](QRgb c) {
    for (int finger = 0; finger < kFingers; ++finger)
      if (Difference(c, fingerColour(finger).lighter(112).rgb()) < 16) return finger;
    return -1;
  };
  for (const QSize inner : {QSize(640, 480), QSize(634, 436)}) {
    DrawHowToUse(ok, inner);
    const qreal scale = HowToUseLayoutFor(inner).h / qreal(kKeyboardSize.height());
    int finger = 0;
    for (const QRegularExpressionMatch& name :
         QRegularExpression("[左右][^指]+指").globalMatch(FingerNames)) {
      const int centre = qRound(FingerNamesAt(inner).x() +
                                metrics.horizontalAdvance(FingerNames.left(name.capturedStart())) +
                                metrics.horizontalAdvance(name.captured()) / 2);
      for (int row = 0; row < 4; ++row) {
        const QRectF key = keyBox(row, 0);
        const int y = qRound(35 + (key.top() + key.height() * 0.3) * scale);
        std::set<int> seen;
        for (int x = centre - 6; x <= centre + 6; ++x)
          if (const int under = fingerOf(AllPicture.Image().pixel(x, y)); under >= 0)
            seen.insert(under);
        EXPECT_EQ(seen, std::set<int>{finger})
            << name.captured().toStdString() << ", row " << row << ", window " << inner.width();
      }
      ++finger;
    }
    EXPECT_EQ(finger, kFingers);
  }
}

// At the largest scroll value the input table's window shows the picture down
// to its reach; the last row must lie above it on every screen from 640 x 480
// up, without a window manager and with a caption and frame of up to 45 pixels
// (openbox adds 21, the larger desktops up to about 40).
TEST(InputTablePicture, EveryRowCanBeScrolledIntoViewOnEveryScreen) {
  const QImage table(Deta.filePath("input.jpg"));
  // The lowest row of pixels that differs from the blank paper below the table.
  const QRgb paper = table.pixel(table.width() / 2, table.height() - 1);
  const auto blank = [&](int y) {
    for (int x = kTableHiddenLeft; x < table.width(); ++x)
      if (std::abs(qGray(table.pixel(x, y)) - qGray(paper)) > 24) return false;
    return true;
  };
  int lastInk = table.height() - 1;
  while (lastInk > 0 && blank(lastInk)) --lastInk;
  ASSERT_GT(lastInk, table.height() - 40) << "the table fills the picture";
  for (int screenHeight = 480; screenHeight <= 2160; ++screenHeight)
    for (int frame : {0, 21, 45})
      ASSERT_GT(InputTableReach(screenHeight, frame), lastInk)
          << "screen height " << screenHeight << ", frame " << frame;
}

// The table shows each lesson's strings once each, in the game's order (くょ
// comes twice in lesson 9).
TEST(InputTablePicture, ListsEachLessonsDistinctStringsInTheGamesOrder) {
  QString error;
  const std::vector<Lesson> lessons = readInputTable(KANACATCH_INPUT_TABLE, &error);
  ASSERT_EQ(static_cast<int>(lessons.size()), LessonCount - 1) << error.toStdString();
  MakeMojiTable();
  for (int lesson = 1; lesson < LessonCount; ++lesson) {
    QStringList shown, inGame;
    for (const KanaRow& row : lessons[lesson - 1].rows)
      for (const KanaEntry& entry : row) shown << entry.kana;
    const LessonRange range = LessonRangeOf(lesson);
    for (int k = range.Base + 1; k <= range.Base + range.Size; ++k) inGame << Game.MojiTable[k];
    inGame.removeDuplicates();
    EXPECT_EQ(shown, inGame) << "lesson " << lesson;
  }
}
