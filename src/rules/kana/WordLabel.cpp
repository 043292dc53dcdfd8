#include "rules/kana/WordLabel.h"

#include <QRect>
#include <QString>
#include <algorithm>
#include <climits>
#include <optional>

#include "platform/drawing/Picture.h"
#include "platform/drawing/TextFont.h"
#include "platform/system/Caches.h"
#include "rules/kana/LabelGround.h"
#include "state/GameState.h"
#include "state/Holes.h"

namespace {

// Each hole's last fitted word, which every step of its rise asks for.
struct Fitted {
  QString word;
  QString hint;
  qint64 picture = 0;
  qint64 mask = 0;
  int rows = 0;
  QPoint centre;
  WordLabel label;
};
PerHole<Fitted> fitted;

[[maybe_unused]] const bool forgettable = platform::ForgetWithCaches([] { fitted = {}; });

// The glyphs' box of `text` printed bold at `points` with its text cell at
// the origin.
QRect InkOf(const QString& text, int points) {
  platform::Picture measure;
  measure.Font = {platform::ProportionalGothic, points, true};
  return measure.TextBounds(QPoint(0, 0), text);
}

}  // namespace

WordLabel FitWordLabel(int h, int x, int y) {
  const int em = platform::PointsToPixels(LargestWordPoints);
  const QPoint centre(x - 5 + em, y + 10 + em / 2);
  const QString& word = Game.HoleMoji[h];
  const QString& hint = Game.HoleHint[h];
  const int k = HolePicture[h - 1];
  const int rows = Game.RestY[h] - Game.PeakY[h];
  Fitted& last = fitted[h];
  if (last.word == word && last.hint == hint && last.picture == Game.KobImage[k].cacheKey() &&
      last.mask == Game.KobMaskImage[k].cacheKey() && last.rows == rows && last.centre == centre)
    return last.label;

  const int reach = LabelReach();
  const KobGround& critter = GroundOf(k, KobGround::Critter);
  // The label at `points` on `ground`, nearest `centre`, with its hint
  // under it on the critter when `withHint`.
  const auto fit = [&](const KobGround& ground, int points,
                       bool withHint) -> std::optional<WordLabel> {
    const QRect ink = InkOf(word, points);
    const QSize box = ink.size() + QSize(2 * reach, 2 * reach);
    const int hintPoints = std::min(HintPoints, points);
    const QSize hintInk = withHint ? InkOf(hint, hintPoints).size() : QSize();
    std::optional<WordLabel> nearest;
    int shortest = INT_MAX;
    for (int top = 0; top + box.height() <= rows; ++top) {
      for (int left = 0; left + box.width() <= KobWidth; ++left) {
        const int dx = left + box.width() / 2 - centre.x();
        const int dy = top + box.height() / 2 - centre.y();
        if (dx * dx + dy * dy >= shortest || !ground.Covers(QRect(QPoint(left, top), box)))
          continue;
        const QRect glyphs(QPoint(left + reach, top + reach), ink.size());
        if (withHint) {
          // In its own place under the label, not lifted into it.
          const QRect under = HintUnder(glyphs, hintInk, rows);
          if (under.top() < glyphs.bottom() + 1 + 2 * platform::Picture::OutlineReach + HintGap ||
              !critter.Covers(under.adjusted(-reach, -reach, reach, reach)))
            continue;
        }
        shortest = dx * dx + dy * dy;
        nearest = WordLabel{glyphs.topLeft() - ink.topLeft(), points, hintPoints};
      }
    }
    return nearest;
  };

  std::optional<WordLabel> label;
  const KobGround& light = GroundOf(k, KobGround::Light);
  for (const auto& [ground, withHint] :
       {std::pair{&light, !hint.isEmpty()}, {&light, false}, {&critter, false}}) {
    for (int points = LargestWordPoints; !label && points >= SmallestWordPoints; --points)
      label = fit(*ground, points, withHint);
    if (label) break;
  }
  if (!label) {
    // Within the picture, outline and all, as far as it goes; from its top
    // left where it is too small.
    const QRect ink = InkOf(word, SmallestWordPoints);
    const QPoint at(
        std::max(reach, std::min(centre.x() - ink.width() / 2, KobWidth - reach - ink.width())),
        std::max(reach, std::min(centre.y() - ink.height() / 2, rows - reach - ink.height())));
    label =
        WordLabel{at - ink.topLeft(), SmallestWordPoints, std::min(HintPoints, SmallestWordPoints)};
  }
  last = {word,   hint,  Game.KobImage[k].cacheKey(), Game.KobMaskImage[k].cacheKey(), rows,
          centre, *label};
  return *label;
}
