#include <gtest/gtest.h>

#include <QImage>

#include "platform/Blit.h"
#include "platform/Picture.h"
#include "support/TestPictures.h"

using platform::Picture;
using platform::StretchBlt;

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

  // Checks every pixel of `dest` against `rule(sourcePixel, oldPixel)`.
  template <typename Rule>
  void ExpectEveryPixel(Rule rule) {
    for (int y = 0; y < 32; ++y) {
      for (int x = 0; x < 64; ++x) {
        const QRgb want = rule(source.Image().pixel(x, y), before.pixel(x, y)) | 0xff000000u;
        ASSERT_EQ(dest.Image().pixel(x, y), want) << "at " << x << ", " << y;
      }
    }
  }

  Picture dest{64, 32};
  Picture source{64, 32};
  QImage before;
};

}  // namespace

TEST_F(BlockCopy, MergePaintSetsEveryBitThatIsClearInTheSourceAndKeepsTheRest) {
  platform::BitBlt(dest, dest.Rect(), source, QPoint(0, 0), platform::MERGEPAINT);
  ExpectEveryPixel([](QRgb src, QRgb old) { return ~src | old; });
}

TEST_F(BlockCopy, SrcAndKeepsOnlyTheBitsSetInBothSourceAndDestination) {
  platform::BitBlt(dest, dest.Rect(), source, QPoint(0, 0), platform::SRCAND);
  ExpectEveryPixel([](QRgb src, QRgb old) { return src & old; });
}

// A copy that reaches past the source's edge must not bring in made-up
// (black) pixels, stretched or not.
TEST_F(BlockCopy, ThePartOfTheSourceAreaOutsideTheSourceLeavesTheDestinationAlone) {
  platform::BitBlt(dest, QRect(0, 0, 40, 8), source, QPoint(44, 0), platform::SRCCOPY);
  StretchBlt(dest, QRect(0, 16, 64, 16), source, QRect(48, 16, 32, 16), platform::SRCCOPY);
  for (int x = 0; x < 64; ++x) {
    const QRgb copied = x < 20 ? source.Image().pixel(x + 44, 3) : before.pixel(x, 3);
    ASSERT_EQ(dest.Image().pixel(x, 3), copied) << "column " << x;
    if (x >= 32) {
      ASSERT_EQ(dest.Image().pixel(x, 20), before.pixel(x, 20)) << "column " << x;
    }
  }
}

TEST(StretchBlt, AShrinkBlendsThePixelsItSqueezesTogether) {
  QImage stripes(64, 64, QImage::Format_RGB32);
  for (int x = 0; x < 64; ++x) {
    for (int y = 0; y < 64; ++y) stripes.setPixel(x, y, x % 2 ? qRgb(255, 255, 255) : 0);
  }
  Picture dest(32, 32);
  StretchBlt(dest, dest.Rect(), stripes, stripes.rect(), platform::SRCCOPY);
  const int grey = qGray(dest.Image().pixel(16, 16));
  EXPECT_GT(grey, 64) << "a nearest-pixel shrink keeps only black or only white";
  EXPECT_LT(grey, 192);
}

// Only colours take part, as on a screen.
TEST(StretchBlt, ATransparentSourcePixelCountsByItsColourAlone) {
  QImage clear(4, 4, QImage::Format_ARGB32);
  clear.fill(qRgba(200, 100, 50, 0));
  Picture dest(4, 4);
  StretchBlt(dest, dest.Rect(), clear, clear.rect(), platform::SRCAND);
  EXPECT_EQ(dest.Image().pixel(1, 1), qRgb(200, 100, 50));
}
