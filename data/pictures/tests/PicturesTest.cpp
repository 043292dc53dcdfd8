// The pictures the build wrote to Deta, read back and shown as the game shows them.
#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QDir>
#include <QImage>

#include "Compose.h"
#include "KanaTable.h"
#include "Playfield.h"
#include "game/GameState.h"
#include "kana/MojiTable.h"
#include "screens/InputTable.h"

using namespace pictures;

namespace {

const QDir Deta(QStringLiteral(KANACATCH_DATA_DIR));

// Whether the mask is white (outside the critter) at or next to (x, y).
bool NearOutside(const QImage& mask, int x, int y) {
  for (int v = y - 1; v <= y + 1; ++v)
    for (int u = x - 1; u <= x + 1; ++u)
      if (mask.valid(u, v) && qGray(mask.pixel(u, v)) >= 250) return true;
  return false;
}

}  // namespace

// Each picture as drawn now: its size and the start of its file's MD5, so
// that any change to a drawing fails here. When the change is meant, look at
// the pictures and renew the list.
TEST(DataFolder, EveryPictureIsTheJpegDrawnForIt) {
  QStringList pictures;
  for (const QString& name : Deta.entryList({"*.jpg"}, QDir::Files, QDir::Name)) {
    QFile file(Deta.filePath(name));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
    const QByteArray bytes = file.readAll();
    const QImage picture = QImage::fromData(bytes, "JPEG");
    pictures << QString("%1 %2x%3 %4")
                    .arg(name)
                    .arg(picture.width())
                    .arg(picture.height())
                    .arg(QCryptographicHash::hash(bytes, QCryptographicHash::Md5).toHex().left(12));
  }
  EXPECT_EQ(pictures.join('\n').toStdString(), R"(Back.jpg 1280x960 4fa68aa9c46d
KeyBorad.jpg 1024x384 a631a4bf5285
Kob01.jpg 250x290 b76f06e69a25
Kob02.jpg 250x290 90265b9f245b
Kob03.jpg 250x290 148e661b3262
Kob04.jpg 250x290 61ed919a9b02
Kob05.jpg 250x290 f9e566d93eef
Kob06.jpg 250x290 21052432d131
Kob07.jpg 250x290 70b103221532
Kob08.jpg 250x290 60bb39054336
KobMask01.jpg 250x290 374d6daccd2d
KobMask02.jpg 250x290 2cdbeb02e036
KobMask03.jpg 250x290 485c50ce3807
KobMask04.jpg 250x290 07b5a6369a48
KobMask05.jpg 250x290 3eec21ca6834
KobMask06.jpg 250x290 72891122dc36
KobMask07.jpg 250x290 047d5007cb4b
KobMask08.jpg 250x290 8bea009fa440
Title.jpg 1292x1048 28593cb43d02
input.jpg 235x1910 e3f1e627d28a)");
}

// Composes every critter as the game does: where the mask is white the
// ground must come through unchanged (no dark halo), where it is black no
// blank paper may show along the outline (no white rim).
TEST(CritterMasks, ComposeWithoutHalo) {
  const QRgb ground = qRgb(70, 170, 60);
  for (int number = 1; number <= 8; ++number) {
    const QString file = Deta.filePath(QString::asprintf("Kob%02d.jpg", number));
    const QImage picture = toFrame(QImage(file));
    const QImage mask = toFrame(QImage(QString(file).replace("Kob", "KobMask")));
    QImage field(kCritterSize, QImage::Format_RGB32);
    field.fill(ground);
    composeCritter(field, picture, mask, 0, kCritterSize.height(), kCritterSize.height());
    int darkHalo = 0, whiteRim = 0;
    for (int y = 0; y < field.height(); ++y) {
      for (int x = 0; x < field.width(); ++x) {
        const int m = qGray(mask.pixel(x, y));
        const QRgb shown = field.pixel(x, y);
        darkHalo += m >= 250 && std::abs(qGray(shown) - qGray(ground)) > 10;
        whiteRim += m <= 5 && qGray(shown) >= 245 && NearOutside(mask, x, y);
      }
    }
    EXPECT_EQ(darkHalo + whiteRim, 0)
        << "Kob" << number << ": " << darkHalo << " dark, " << whiteRim << " white";
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
