#include "PictureFiles.h"

#include "Compose.h"
#include "Playfield.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <gtest/gtest.h>

using namespace pictures;
using namespace picturetests;

namespace {

struct Critter {
    QImage picture, mask;  // as written, 250 x 290
};

Critter readCritter(int number)
{
    return {readPicture(critterFile("Kob", number)), readPicture(critterFile("KobMask", number))};
}

bool isBlack(QRgb c) { return luminance(c) <= 20; }
bool isWhite(QRgb c) { return luminance(c) >= 235; }

// True when a pixel within `reach` of (x, y) satisfies `test`.
template <typename Test>
bool near(const QImage &image, int x, int y, int reach, Test test)
{
    for (int v = std::max(0, y - reach); v <= std::min(image.height() - 1, y + reach); ++v)
        for (int u = std::max(0, x - reach); u <= std::min(image.width() - 1, x + reach); ++u)
            if (test(image.pixel(u, v)))
                return true;
    return false;
}

}  // namespace

// Grey only where black meets white, and the critter's non-white pixels all
// under the black: otherwise the game's AND darkens the meadow around it.
TEST(CritterMasks, AreBlackExactlyUnderTheCritter)
{
    for (int number = 1; number <= 8; ++number) {
        const Critter critter = readCritter(number);
        ASSERT_FALSE(critter.mask.isNull()) << number;
        int strays = 0, edge = 0;
        for (int y = 0; y < critter.mask.height(); ++y) {
            for (int x = 0; x < critter.mask.width(); ++x) {
                const QRgb m = critter.mask.pixel(x, y);
                if (!isBlack(m) && !isWhite(m)) {
                    ++edge;
                    strays += !(near(critter.mask, x, y, 2, isBlack) &&
                                near(critter.mask, x, y, 2, isWhite));
                }
                const bool critterInk = qMin(qMin(qRed(critter.picture.pixel(x, y)),
                                                  qGreen(critter.picture.pixel(x, y))),
                                             qBlue(critter.picture.pixel(x, y))) < 235;
                if (critterInk && luminance(m) >= 128 && !near(critter.mask, x, y, 1, isBlack))
                    ++strays;
            }
        }
        EXPECT_EQ(strays, 0) << "Kob" << number;
        EXPECT_LT(edge, critter.mask.width() * critter.mask.height() / 25) << "Kob" << number;
    }
}

// Composes every critter as the game does, over two grounds, after scaling to
// the 125 x 145 frame: away from the thin edge, the ground and the critter
// must come through unchanged (no dark or white halo).
TEST(CritterMasks, ComposeWithoutHalo)
{
    for (QRgb ground : {qRgb(70, 170, 60), qRgb(40, 30, 110)}) {
        for (int number = 1; number <= 8; ++number) {
            const Critter critter = readCritter(number);
            const QImage picture = toFrame(critter.picture), mask = toFrame(critter.mask);
            QImage field(kCritterSize, QImage::Format_RGB32);
            field.fill(ground);
            composeCritter(field, picture, mask, 0, kCritterSize.height(),
                           kCritterSize.height());
            const auto outside = [](QRgb m) { return luminance(m) >= 250; };
            int darkHalo = 0, whiteHalo = 0, changed = 0, band = 0;
            for (int y = 0; y < field.height(); ++y) {
                for (int x = 0; x < field.width(); ++x) {
                    const int m = luminance(mask.pixel(x, y));
                    const QRgb shown = field.pixel(x, y);
                    if (m >= 250) {
                        darkHalo += difference(shown, ground) > 10;
                    } else if (m <= 5) {
                        changed += difference(shown, picture.pixel(x, y)) > 10;
                        // Blank paper along the outline shows as a white rim.
                        whiteHalo += luminance(shown) >= 245 && near(mask, x, y, 1, outside);
                    } else {
                        ++band;
                    }
                }
            }
            EXPECT_EQ(darkHalo, 0) << "Kob" << number;
            EXPECT_EQ(whiteHalo, 0) << "Kob" << number;
            EXPECT_EQ(changed, 0) << "Kob" << number;
            // The edge band is about one pixel along the outline.
            EXPECT_LT(band, 2 * (kCritterSize.width() + 2 * kCritterSize.height())) << number;
        }
    }
}

// However far a critter is up, what shows of it ends in body at the ground
// line: from the face down, the middle of the frame is all critter.
TEST(Critters, BodyReachesTheGroundLineAtAnyHeight)
{
    for (int number = 1; number <= 8; ++number) {
        const QImage mask = toFrame(readCritter(number).mask);
        for (int y = 60; y < kCritterSize.height(); ++y)
            for (int x : {40, 62, 85})
                ASSERT_TRUE(isBlack(mask.pixel(x, y))) << "Kob" << number << " " << x << "," << y;
    }
}

TEST(Critters, CaughtFormStaysInTheSamePlace)
{
    for (int species = 1; species <= kSpecies; ++species) {
        const QImage awake = readCritter(species).mask, caught = readCritter(species + 4).mask;
        int both = 0, either = 0;
        for (int y = 0; y < awake.height(); ++y)
            for (int x = 0; x < awake.width(); ++x) {
                const bool a = isBlack(awake.pixel(x, y)), c = isBlack(caught.pixel(x, y));
                both += a && c;
                either += a || c;
            }
        EXPECT_GT(double(both) / either, 0.9) << "species " << species;
    }
}

// The game prints the kana over the critter in a random dark-ish colour; the
// critter must be light wherever the letters fall, for each hole's anchor and
// each kind of label.
TEST(Critters, LabelsFallOnALightPatch)
{
    const QString samples[] = {QStringLiteral("あ"), QStringLiteral("ぬ"), QStringLiteral("きゃ"),
                               QStringLiteral("しゅ"), QStringLiteral("ぴょ"),
                               QStringLiteral("ゃ")};
    for (const Hole &hole : kHoles) {
        const QImage picture = readCritter(hole.species).picture;
        for (const QString &kana : samples) {
            const Label label = labelFor(kana, hole.labelAnchor);
            QPainterPath letters;
            letters.addText(QPointF(label.cellTopLeft) +
                                QPointF(0, QFontMetricsF(label.font).ascent()),
                            label.font, kana);
            QImage ink(picture.size(), QImage::Format_Grayscale8);
            ink.fill(0);
            QPainter p(&ink);
            p.scale(2, 2);
            p.fillPath(letters, Qt::white);
            p.end();
            int under = 0, dark = 0;
            for (int y = 0; y < ink.height(); ++y)
                for (int x = 0; x < ink.width(); ++x)
                    if (qGray(ink.pixel(x, y)) > 128) {
                        ++under;
                        dark += luminance(picture.pixel(x, y)) < 200;
                    }
            ASSERT_GT(under, 100) << qPrintable(kana);
            // A letter's first column may touch the rim of a board held at the
            // frame's very edge (anchor x 0); nothing more.
            EXPECT_LE(dark, under / 50)
                << qPrintable(kana) << " on critter " << hole.species << " at anchor "
                << hole.labelAnchor.x() << "," << hole.labelAnchor.y();
        }
    }
}
