#include "rules/kana/LabelStamp.h"

#include <algorithm>
#include <cstring>

#include "platform/drawing/Picture.h"

namespace {

const QRgb* Row(const QImage& image, int y) {
  return reinterpret_cast<const QRgb*>(image.constScanLine(y));
}

}  // namespace

void LabelStamp::FindTouched(const platform::Picture& picture, const Print& print) {
  LabelKey colourless = key;
  colourless.colour = 0;
  if (probed && touchKey == colourless) return;
  probed = true;
  touchKey = colourless;
  touched.clear();
  box = QRect();

  // Any coverage of a glyph lifts a black pixel towards white, so the ink
  // is what is left not black. The outline is the same glyphs moved by up
  // to its reach; a pixel more covers any rounding of the moved glyphs.
  platform::Picture probe;
  QImage& probeImage = probe.ImageToDrawIn();
  probeImage = QImage(picture.Image().size(), QImage::Format_RGB32);
  probeImage.setDevicePixelRatio(picture.Ratio());
  probeImage.fill(Qt::black);
  probe.ForeColor = Qt::white;
  print(probe, false);
  const QImage& ink = probe.Image();
  const int reach = static_cast<int>((platform::Picture::OutlineReach + 1) * picture.Ratio());
  const int width = ink.width();
  const int height = ink.height();
  // Within `reach` across (rows), then within `reach` down (columns).
  std::vector<char> across(size_t(width) * height, 0);
  for (int y = 0; y < height; ++y) {
    const QRgb* row = Row(ink, y);
    for (int x = 0; x < width; ++x) {
      if ((row[x] & 0xffffff) == 0) continue;
      std::fill(&across[size_t(y) * width + std::max(0, x - reach)],
                &across[size_t(y) * width + std::min(width - 1, x + reach)] + 1, 1);
    }
  }
  std::vector<int> near(width, 0);  // per column: marks in the rows within reach
  const auto count = [&](int y, int sign) {
    if (y < 0 || y >= height) return;
    for (int x = 0; x < width; ++x) near[x] += sign * across[size_t(y) * width + x];
  };
  for (int y = 0; y < reach; ++y) count(y, 1);
  for (int y = 0; y < height; ++y) {
    count(y + reach, 1);
    count(y - reach - 1, -1);
    for (int x = 0; x < width;) {
      if (near[x] == 0) {
        ++x;
        continue;
      }
      const int from = x;
      while (x < width && near[x] > 0) ++x;
      touched.push_back({y, from, x - from});
      box |= QRect(from, y, x - from, 1);
    }
  }
}

void LabelStamp::PrintAndKeep(const LabelKey& labelKey, platform::Picture& picture,
                              const Print& print) {
  key = labelKey;
  FindTouched(picture, print);
  before = picture.Image().copy(box);
  print(picture, true);
  after = picture.Image().copy(box);
  kept = true;
}

bool LabelStamp::PutBack(const LabelKey& labelKey, platform::Picture& picture, int rows) const {
  if (!kept || !(labelKey == key) || picture.Image().size() != key.pixels) return false;
  const int imageRows = static_cast<int>(rows * picture.Ratio());
  const QImage& ground = picture.Image();
  for (const Span& span : touched) {
    if (span.y >= imageRows) break;
    const QRgb* was = Row(before, span.y - box.top()) + (span.x - box.left());
    if (std::memcmp(Row(ground, span.y) + span.x, was, span.n * sizeof(QRgb)) != 0) return false;
  }
  QImage& image = picture.ImageToDrawIn();
  for (const Span& span : touched) {
    if (span.y >= imageRows) break;
    const QRgb* printed = Row(after, span.y - box.top()) + (span.x - box.left());
    std::memcpy(reinterpret_cast<QRgb*>(image.scanLine(span.y)) + span.x, printed,
                span.n * sizeof(QRgb));
  }
  return true;
}
