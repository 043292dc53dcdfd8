#include <gtest/gtest.h>

#include <QImage>

#include "platform/Blit.h"
#include "platform/Picture.h"
#include "support/TestPictures.h"

using platform::Picture;

namespace {

// A patterned destination and a source of assorted colours, both 64 x 32.
class BlockCopy : public testing::Test {
 protected:
  void SetUp() override {
    FillWithPattern(dest);
    for (int y = 0; y < 32; ++y) {
      for (int x = 0; x < 64; ++x) source.Image().setPixel(x, y, qRgb(x * 37 + y, y * 53, x * y));
    }
    before = dest.Image().copy();
  }

  Picture dest{64, 32};
  Picture source{64, 32};
  QImage before;
};

}  // namespace

TEST_F(BlockCopy, MergePaintAndSrcAndCombineEachPixelBitByBit) {
  const struct {
    platform::RasterOp op;
    QRgb (*rule)(QRgb src, QRgb old);
  } ops[] = {{platform::MERGEPAINT, [](QRgb src, QRgb old) { return ~src | old; }},
             {platform::SRCAND, [](QRgb src, QRgb old) { return src & old; }}};
  for (const auto& [op, rule] : ops) {
    dest.Image() = before.copy();
    platform::BitBlt(dest, dest.Rect(), source, QPoint(0, 0), op);
    for (int y = 0; y < 32; ++y) {
      for (int x = 0; x < 64; ++x) {
        ASSERT_EQ(dest.Image().pixel(x, y),
                  rule(source.Image().pixel(x, y), before.pixel(x, y)) | 0xff000000u)
            << std::hex << op << " at " << std::dec << x << ", " << y;
      }
    }
  }
}

// A copy that reaches past the source's edge must not bring in made-up
// (black) pixels, stretched or not; a shrink blends what it squeezes together.
TEST_F(BlockCopy, OnlyTheSourcesOwnPixelsAreCopiedAndAShrinkBlendsThem) {
  platform::BitBlt(dest, QRect(0, 0, 40, 8), source, QPoint(44, 0), platform::SRCCOPY);
  platform::StretchBlt(dest, QRect(0, 16, 64, 16), source, QRect(48, 16, 32, 16),
                       platform::SRCCOPY);
  for (int x = 0; x < 64; ++x) {
    ASSERT_EQ(dest.Image().pixel(x, 3),
              x < 20 ? source.Image().pixel(x + 44, 3) : before.pixel(x, 3))
        << "column " << x;
    if (x >= 32) {
      ASSERT_EQ(dest.Image().pixel(x, 20), before.pixel(x, 20)) << "column " << x;
    }
  }
  for (int x = 0; x < 64; ++x) {
    for (int y = 0; y < 32; ++y) source.Image().setPixel(x, y, x % 2 ? qRgb(255, 255, 255) : 0);
  }
  platform::StretchBlt(dest, QRect(0, 0, 32, 16), source, source.Rect(), platform::SRCCOPY);
  const int grey = qGray(dest.Image().pixel(16, 8));
  EXPECT_GT(grey, 64) << "a nearest-pixel shrink keeps only black or only white";
  EXPECT_LT(grey, 192);
}
