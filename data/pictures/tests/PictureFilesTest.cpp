#include "PictureFiles.h"

#include "KanaTable.h"
#include "Keyboard.h"
#include "Playfield.h"

#include <gtest/gtest.h>

#include <set>

using namespace pictures;
using namespace picturetests;

TEST(DataFolder, EveryPictureIsAJpegOfItsSize)
{
    std::vector<std::pair<QString, QSize>> expected{
        {QStringLiteral("Back.jpg"), {1280, 960}},
        {QStringLiteral("Title.jpg"), {1292, 1048}},
        {QStringLiteral("KeyBorad.jpg"), {1024, 384}},
        {QStringLiteral("input.jpg"), {kTableWidth, kTableHeight}},
    };
    for (int number = 1; number <= 8; ++number) {
        expected.emplace_back(critterFile("Kob", number), QSize(250, 290));
        expected.emplace_back(critterFile("KobMask", number), QSize(250, 290));
    }
    for (const auto &[name, size] : expected) {
        QImageReader reader(dataPath(name));
        EXPECT_EQ(reader.format(), "jpeg") << qPrintable(name);
        EXPECT_EQ(reader.read().size(), size) << qPrintable(name);
    }
}

TEST(Background, TopBandIsPlainLightSkyForTheCounters)
{
    const QImage back = readPicture(QStringLiteral("Back.jpg"));
    ASSERT_FALSE(back.isNull());
    for (int y = 0; y < 100 * 2; ++y) {
        int low = 255, high = 0;
        for (int x = 0; x < back.width(); ++x) {
            const int light = luminance(back.pixel(x, y));
            low = std::min(low, light);
            high = std::max(high, light);
        }
        ASSERT_GE(low, 200) << "row " << y;
        ASSERT_LE(high - low, 6) << "row " << y;
    }
}

// A critter comes out of the ground at y = RestY: the hole's dark opening
// must be just above that line and the lighter front of the mound below it.
TEST(Background, EachHoleOpensJustAboveItsGroundLine)
{
    const QImage back = readPicture(QStringLiteral("Back.jpg"));
    ASSERT_FALSE(back.isNull());
    for (const Hole &hole : kHoles) {
        for (int dx : {-45, 0, 45}) {
            const int x = 2 * (hole.left + kHoleWidth / 2 + dx);
            EXPECT_LT(luminance(back.pixel(x, 2 * (hole.restY - 6))), 80)
                << "hole at " << hole.left << "," << hole.restY << " dx " << dx;
            EXPECT_GT(luminance(back.pixel(x, 2 * (hole.restY + 8))), 100)
                << "hole at " << hole.left << "," << hole.restY << " dx " << dx;
        }
    }
}

TEST(Keyboard, KeysOfOneFingerShareOneOfEightColoursOnAWhiteGround)
{
    const QImage keyboard = readPicture(QStringLiteral("KeyBorad.jpg"));
    ASSERT_FALSE(keyboard.isNull());
    // Drawn with AND onto white: the ground around the keys must stay white.
    for (QPoint corner : {QPoint(1, 1), QPoint(1022, 2), QPoint(2, 380), QPoint(1020, 380)})
        EXPECT_GE(luminance(keyboard.pixel(corner)), 250);

    // Sample each key on its face, clear of the legend.
    const auto face = [&](int row, int column) {
        const QRectF box = keyBox(row, column);
        return keyboard.pixel(QPointF(box.left() + 9, box.top() + 8).toPoint() * 2);
    };
    std::vector<QRgb> fingerColour(kFingers);
    for (int column = 0; column < 10; ++column)
        fingerColour[fingerOfColumn(column)] = face(2, column);
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 10; ++column)
            EXPECT_LE(difference(face(row, column), fingerColour[fingerOfColumn(column)]), 12)
                << "row " << row << " column " << column;
    for (int a = 0; a < kFingers; ++a)
        for (int b = a + 1; b < kFingers; ++b)
            EXPECT_GE(difference(fingerColour[a], fingerColour[b]), 30)
                << "fingers " << a << " and " << b;
}

TEST(KanaTablePicture, FillsTheStripAndKeepsTheHiddenEdgeEmpty)
{
    const QImage table = readPicture(QStringLiteral("input.jpg"));
    ASSERT_GE(table.height(), 2300);
    ASSERT_EQ(table.width(), kTableWidth);
    const QRgb paper = table.pixel(2, 2);
    EXPECT_GE(luminance(paper), 235);
    // Every band of 60 rows holds dark writing, and none reaches the edge the
    // scroll bar hides.
    for (int top = 0; top + 60 <= table.height(); top += 60) {
        int ink = 0;
        for (int y = top; y < top + 60; ++y) {
            for (int x = 0; x < table.width(); ++x) {
                const int light = luminance(table.pixel(x, y));
                if (x < kTableHiddenLeft) {
                    ASSERT_LE(difference(table.pixel(x, y), paper), 8) << x << "," << y;
                }
                ink += light < 90;
            }
        }
        EXPECT_GT(ink, 40) << "rows from " << top;
    }
}
