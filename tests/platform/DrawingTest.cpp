// The platform's pictures: block copies under the raster operations, and
// JPEG files decoded into pictures.
#include <gtest/gtest.h>

#include "platform/drawing/Blit.h"
#include "platform/drawing/JpegFile.h"
#include "platform/drawing/Picture.h"
#include "support/MediaFiles.h"

using namespace platform;

// MERGEPAINT and SRCAND, which put a critter through its mask, combine each
// pixel bit by bit, and SRCCOPY copies it, also where the area overhangs the
// picture's corner, from a coloured source and from one kept as greys.
TEST(BlockCopy, MaskAndPictureCombineBitByBitAlsoWhereTheyOverhang) {
  constexpr int W = 64, H = 32;
  platform::Picture dest(W, H);
  platform::Picture source(W, H);
  ASSERT_EQ(source.Image().pixel(W - 1, H - 1), qRgb(255, 255, 255)) << "a new picture is white";
  FillWithPattern(dest.ImageToDrawIn());
  const QImage before = dest.Image().copy();
  const QImage coloured = before.mirrored(true, true);
  const QImage grey =
      coloured.convertToFormat(QImage::Format_Grayscale8).convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(platform::GrayIfColourless(coloured).format(), QImage::Format_RGB32);
  ASSERT_EQ(platform::GrayIfColourless(grey).format(), QImage::Format_Grayscale8);
  const std::pair<platform::RasterOp, QRgb (*)(QRgb src, QRgb old)> ops[] = {
      {platform::MERGEPAINT, [](QRgb src, QRgb old) { return ~src | old; }},
      {platform::SRCAND, [](QRgb src, QRgb old) { return src & old; }},
      {platform::SRCCOPY, [](QRgb src, QRgb) { return src; }}};
  for (const auto& [op, rule] : ops) {
    for (const QImage& kept : {coloured, grey}) {
      for (const QPoint shift : {QPoint(0, 0), QPoint(-5, -3)}) {
        source.ImageToDrawIn() = platform::GrayIfColourless(kept);
        dest.ImageToDrawIn() = before.copy();
        platform::BitBlt(dest, dest.Rect().translated(shift), source, QPoint(0, 0), op);
        for (int y = 0; y < H; ++y)
          for (int x = 0; x < W; ++x) {
            const QPoint from = QPoint(x, y) - shift;
            const QRgb expected =
                from.x() < W && from.y() < H
                    ? rule(source.Image().pixel(from), before.pixel(x, y)) | 0xff000000u
                    : before.pixel(x, y);
            ASSERT_EQ(dest.Image().pixel(x, y), expected)
                << op << " from format " << source.Image().format() << " at " << x << ", " << y;
          }
      }
    }
  }
}

// A picture of an image's own size and format is decoded straight into the
// image (the background where the screen's size matches the file's); any
// other is refused and leaves the image as it was.
TEST(JpegFiles, DecodeStraightIntoAnImageOfTheirOwnSizeAndFormatOnly) {
  const QByteArray colour = JpegBytes(PlainPicture(64, 48, Qt::red));
  const QByteArray grey =
      JpegBytes(PlainPicture(64, 48, Qt::gray).convertToFormat(QImage::Format_Grayscale8));
  for (const auto& [file, size, decoded] : {std::tuple{colour, QSize(64, 48), true},
                                            {colour, QSize(64, 47), false},
                                            {grey, QSize(64, 48), false},
                                            {QByteArray("no picture"), QSize(64, 48), false}}) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    EXPECT_EQ(DecodeJpegInto(file, image), decoded);
    EXPECT_EQ(image.pixel(5, 5), decoded ? DecodeJpeg(colour).pixel(5, 5) : qRgb(255, 255, 255));
  }
}
