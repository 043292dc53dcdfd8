#include "rules/kana/LabelGround.h"

#include <QColor>
#include <algorithm>
#include <map>
#include <tuple>

#include "platform/drawing/Picture.h"
#include "platform/system/Caches.h"
#include "state/GameState.h"
#include "state/Holes.h"

namespace {

// A critter's pixel is light when every channel is at least this: the data
// set's cream patches (255, 248, 232) are, with the JPEG's ripples at their
// edges; its pink rabbit (245, 182, 202), the placards' coloured rims and
// every fur are not.
constexpr int PaleChannel = 208;

// The image pixels, from the first to one past the last, that game pixel n
// covers when `pixels` image pixels stretch over `game` game pixels.
std::pair<int, int> Covered(int n, int pixels, int game) {
  const int from = n * pixels / game;
  return {from, std::max(from + 1, (n + 1) * pixels / game)};
}

}  // namespace

KobGround::KobGround(const QImage& picture, const QImage& mask, Kind kind) {
  if (mask.isNull() || (kind == Light && picture.isNull())) return;
  const QImage colours = kind == Light ? picture.convertToFormat(QImage::Format_RGB32) : QImage();
  // Game pixel (x, y) is the critter's where its mask is dark; it is light
  // where every image pixel it covers is pale as well.
  const auto ground = [&](int x, int y) {
    if (qGray(mask.pixel(x * mask.width() / KobWidth, y * mask.height() / KobHeight)) >= 128)
      return false;
    if (kind == Critter) return true;
    const auto [left, right] = Covered(x, colours.width(), KobWidth);
    const auto [top, bottom] = Covered(y, colours.height(), KobHeight);
    for (int py = top; py < bottom; ++py) {
      const QRgb* row = reinterpret_cast<const QRgb*>(colours.constScanLine(py));
      for (int px = left; px < right; ++px)
        if (std::min({qRed(row[px]), qGreen(row[px]), qBlue(row[px])}) < PaleChannel) return false;
    }
    return true;
  };
  sums.assign((KobWidth + 1) * (KobHeight + 1), 0);
  for (int y = 0; y < KobHeight; ++y)
    for (int x = 0; x < KobWidth; ++x)
      At(x + 1, y + 1) = (ground(x, y) ? 1 : 0) + At(x, y + 1) + At(x + 1, y) - At(x, y);
}

int& KobGround::At(int x, int y) { return sums[y * (KobWidth + 1) + x]; }
int KobGround::At(int x, int y) const { return sums[y * (KobWidth + 1) + x]; }

bool KobGround::Covers(const QRect& box) const {
  if (!Known() || !QRect(0, 0, KobWidth, KobHeight).contains(box)) return false;
  return At(box.right() + 1, box.bottom() + 1) - At(box.left(), box.bottom() + 1) -
             At(box.right() + 1, box.top()) + At(box.left(), box.top()) ==
         box.width() * box.height();
}

const KobGround& GroundOf(int k, KobGround::Kind kind) {
  using Key = std::tuple<qint64, qint64, KobGround::Kind>;
  static std::map<Key, KobGround> grounds;
  [[maybe_unused]] static const bool forgettable =
      platform::ForgetWithCaches([] { grounds.clear(); });
  const QImage& picture = Game.KobImage[k];
  const QImage& mask = Game.KobMaskImage[k];
  const Key key{kind == KobGround::Light ? picture.cacheKey() : 0, mask.cacheKey(), kind};
  return grounds.try_emplace(key, picture, mask, kind).first->second;
}

int LabelReach() { return platform::Picture::OutlineReach + 1; }

QRect HintUnder(const QRect& label, QSize hint, int shownRows) {
  const int ring = platform::Picture::OutlineReach;
  const int top =
      std::min(label.bottom() + 1 + 2 * ring + HintGap, shownRows - ring - hint.height());
  const int left = std::max(
      ring, std::min(label.center().x() - hint.width() / 2, KobWidth - ring - hint.width()));
  return QRect(QPoint(left, top), hint);
}
