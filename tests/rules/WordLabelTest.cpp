// A word's label on the critters of the data folder: fitted to the light
// patch, readable, with its romaji hint on the critter.
#include <gtest/gtest.h>

#include <QFile>
#include <algorithm>

#include "platform/drawing/Picture.h"
#include "platform/system/Services.h"
#include "romaji/WordSpelling.h"
#include "rules/anim/KobbinMove.h"
#include "rules/anim/Playfield.h"
#include "rules/kana/LabelGround.h"
#include "rules/kana/PlayfieldTexts.h"
#include "rules/kana/WordLabel.h"
#include "rules/media/MediaLoading.h"
#include "state/GameState.h"
#include "state/Pictures.h"
#include "support/GameFixture.h"

namespace {

// The glyphs' box of `text` printed bold at `points`.
QRect InkOf(const QString& text, int points, QPoint at = {}) {
  platform::Picture measure;
  measure.Font = {platform::ProportionalGothic, points, true};
  return measure.TextBounds(at, text);
}

// The widest word of each table as its label would be printed at full size,
// and the word with the widest hint.
QStringList WidestWords() {
  ReadShippedWordTables();
  const auto label = [](const Word& w) { return InkOf(w.kana, 25).width(); };
  const auto hint = [](const Word& w) { return InkOf(WordSpelling(w.kana), 14).width(); };
  QStringList widest;
  for (const WordTable* table : {&Game.HiraganaWords, &Game.KatakanaWords})
    widest << std::ranges::max(table->words, {}, label).kana
           << std::ranges::max(table->words, {}, hint).kana;
  return widest;
}

}  // namespace

// On every critter of the data folder, on screens of ratio 1 and 2, small
// and large, the widest words of both tables: their kana and outline lie on
// the critter's light patch, at least 10 pixels high as the screen shows
// them (the how-to-use screen's smallest text; a dakuten is lost below it),
// and the hint, outline and all, on the critter in the rows it shows.
TEST_F(GameFixture, TheWidestWordsFitTheLightPatchAndTheirHintsTheCritter) {
  if (!QFile::exists(KANACATCH_APP_DIR "/Deta/Kob01.jpg")) GTEST_SKIP() << "no data folder";
  const QStringList words = WidestWords();
  for (const auto& [width, height, shownHeight] :
       {std::tuple{640, 480, 436}, {1024, 768, 480}, {1366, 768, 480}}) {
    for (const int ratio : {1, 2}) {
      platform::ChangeServices([&](platform::Services& s) {
        s.programFolder = KANACATCH_APP_DIR;
        s.screen = {width, height};
        s.pixelRatio = ratio;
      });
      SizePictures();
      LoadPictures();
      for (int h = 1; h <= HoleCount; ++h) {
        const int rows = Game.RestY[h] - Game.PeakY[h];
        const auto [x, y] = HoleLabelAnchor[h - 1];
        Game.KobRect[h].Top = Game.PeakY[h];
        KobPicture[h].ForeColor = QColor(h % 2 ? 20 : 235, 200, h % 2 ? 20 : 235);
        // The critter as printed with `moji` and `hint`.
        const auto printed = [&](const QString& moji, const QString& hint) {
          Game.HoleMoji[h] = moji;
          Game.HoleHint[h] = hint;
          DrawHole(h, HolePicture[h - 1], rows, x, y);
          return KobPicture[h].Image().copy();
        };
        const QImage bare = printed({}, {});
        const QImage mask = Game.KobMaskImage[HolePicture[h - 1]].scaled(bare.size());
        for (const QString& word : words) {
          const QImage both = printed(word, WordSpelling(word));
          const WordLabel label = FitWordLabel(h, x, y);
          const int reach = LabelReach();
          const QRect patch =
              InkOf(word, label.points, label.at).adjusted(-reach, -reach, reach, reach);
          QRect drawn;
          for (int py = 0; py < bare.height(); ++py)
            for (int px = 0; px < bare.width(); ++px) {
              if (both.pixel(px, py) == bare.pixel(px, py)) continue;
              const QPoint at(px / ratio, py / ratio);
              const QRgb ground = bare.pixel(px, py);
              const std::string where =
                  TraceLine(word, "in hole", h, "at", at.x(), at.y(), "ratio", ratio).toStdString();
              ASSERT_TRUE(qGray(mask.pixel(px, py)) < 128 && at.y() < rows)
                  << "off the critter or below the ground: " << where;
              if (!patch.contains(at)) continue;
              drawn |= QRect(at, QSize(1, 1));
              ASSERT_GE(std::min({qRed(ground), qGreen(ground), qBlue(ground)}), 200)
                  << "off the light patch: " << where;
            }
          const int high = drawn.height() - 2 * platform::Picture::OutlineReach;
          EXPECT_GE(std::lround(high * shownHeight / 480.0), 10)
              << qPrintable(word) << " too small in hole " << h << " on " << width << "x" << height;
        }
      }
    }
  }
}

// A picture with no light patch, or none at all, still shows a word whole
// within the rows the critter shows.
TEST_F(GameFixture, AWordOnAnOddPictureStaysWithinIt) {
  QImage dark(3, 3, QImage::Format_RGB32);
  dark.fill(Qt::darkBlue);  // the critter all over, and dark
  for (const auto& [picture, mask] : {std::pair{dark, dark}, {dark, QImage()}}) {
    Game.KobImage[1] = picture;
    Game.KobMaskImage[1] = mask;
    KobPicture[1].ImageToDrawIn().fill(Qt::white);
    Game.HoleMoji[1] = QStringLiteral("ボールペン");
    Game.HoleHint[1] = WordSpelling(Game.HoleMoji[1]);
    DrawMoji(1, HoleLabelAnchor[0].x, HoleLabelAnchor[0].y);
    const QImage drawn = KobPicture[1].Image();
    QRect ink;
    for (int y = 0; y < drawn.height(); ++y)
      for (int x = 0; x < drawn.width(); ++x)
        if (drawn.pixel(x, y) != qRgb(255, 255, 255)) ink |= QRect(x, y, 1, 1);
    EXPECT_TRUE(QRect(1, 1, KobWidth - 2, Game.RestY[1] - Game.PeakY[1] - 2).contains(ink))
        << (mask.isNull() ? "without a mask " : "without a light patch ") << ink.x() << ","
        << ink.y() << " " << ink.width() << "x" << ink.height();
  }
}
