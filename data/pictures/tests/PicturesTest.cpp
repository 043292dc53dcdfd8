// The pictures the build wrote to Deta, read back and shown as the game shows them.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QImage>

#include "Compose.h"
#include "KanaTable.h"
#include "Playfield.h"
#include "rules/kana/MojiTable.h"
#include "screens/InputTable.h"
#include "state/GameState.h"
#include "support/PictureCheck.h"

using namespace pictures;

namespace {

const QDir Deta(QStringLiteral(KANACATCH_DATA_DIR));
const QString kReferences = QStringLiteral(KANACATCH_PICTURE_REFERENCES);

// Whether the mask is white (outside the critter) at or next to (x, y).
bool NearOutside(const QImage& mask, int x, int y) {
  for (int v = y - 1; v <= y + 1; ++v)
    for (int u = x - 1; u <= x + 1; ++u)
      if (mask.valid(u, v) && qGray(mask.pixel(u, v)) >= 250) return true;
  return false;
}

}  // namespace

// A drawn picture saved as JPEG may come out a few levels apart on another
// machine: rounding each partly covered pixel of a critter one or two levels
// the other way, or every pixel of it, moves no pixel of the JPEG by more than
// 6. A shifted shape, a halo or a changed colour moves thousands by far more.
constexpr Tolerance kDrawingDrift{12, 64};

// Every picture the build drew, against the reference a reviewer looked at.
TEST(DataFolder, EveryPictureLooksAsItsReference) {
  const QStringList drawn = Deta.entryList({"*.jpg"}, QDir::Files, QDir::Name);
  QStringList references = QDir(kReferences).entryList({"*.png"}, QDir::Files, QDir::Name);
  references.replaceInStrings(".png", ".jpg");
  EXPECT_EQ(drawn, references) << "every picture has a reference and every reference a picture";
  for (const QString& name : drawn)
    EXPECT_TRUE(MatchesReference(QImage(Deta.filePath(name)), kReferences,
                                 QFileInfo(name).baseName(), kDrawingDrift));
}

// The critters as the build drew them on an AMD EPYC machine with AVX-512,
// whose bytes differed from those of an Intel Xeon machine. When the critters
// are redrawn on purpose these copies no longer apply: replace or remove them.
TEST(DataFolder, CrittersDrawnOnAnotherProcessorPassTheSameComparison) {
  if (RenewingReferences()) GTEST_SKIP() << "renewing";
  const QDir other(QStringLiteral(KANACATCH_OTHER_PROCESSOR));
  const QStringList critters = other.entryList({"Kob*.jpg"}, QDir::Files, QDir::Name);
  EXPECT_EQ(critters.size(), 8);
  for (const QString& name : critters)
    EXPECT_TRUE(MatchesReference(QImage(other.filePath(name)), kReferences,
                                 QFileInfo(name).baseName(), kDrawingDrift));
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
// to its reach; the last row of either script's table must lie above it on
// every screen from 640 x 480 up, without a window manager and with a caption
// and frame of up to 45 pixels (openbox adds 21, the larger desktops up to
// about 40).
TEST(InputTablePicture, EveryRowCanBeScrolledIntoViewOnEveryScreen) {
  for (const char* name : {"input.jpg", "input-katakana.jpg"}) {
    const QImage table(Deta.filePath(name));
    // The lowest row of pixels that differs from the blank paper below the table.
    const QRgb paper = table.pixel(table.width() / 2, table.height() - 1);
    const auto blank = [&](int y) {
      for (int x = kTableHiddenLeft; x < table.width(); ++x)
        if (std::abs(qGray(table.pixel(x, y)) - qGray(paper)) > 24) return false;
      return true;
    };
    int lastInk = table.height() - 1;
    while (lastInk > 0 && blank(lastInk)) --lastInk;
    ASSERT_GT(lastInk, table.height() - 40) << name << ": the table fills the picture";
    for (int screenHeight = 480; screenHeight <= 2160; ++screenHeight)
      for (int frame : {0, 21, 45})
        ASSERT_GT(InputTableReach(screenHeight, frame), lastInk)
            << name << ": screen height " << screenHeight << ", frame " << frame;
  }
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
