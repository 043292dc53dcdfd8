#include "PlayfieldReferences.h"

#include <cstdlib>

#include "anim/Playfield.h"
#include "game/GameState.h"
#include "game/Pictures.h"
#include "kana/PlayfieldTexts.h"
#include "media/MediaLoading.h"
#include "platform/MessageBox.h"
#include "platform/ProgramFolder.h"
#include "support/TestDoubles.h"

namespace {

// JPEG pictures and smooth scaling come out the same in both programs; the
// edges of glyphs may be shaded a little differently.
constexpr int Shade = 24;
constexpr double CloseMatch = 0.01;

}  // namespace

PlayfieldReferences::PlayfieldReferences(const QString& programFolder, int maxCount) {
  MessageRecorder messages;
  platform::UseMessageSink(&messages);
  platform::UseProgramFolder(programFolder);
  ClearGameState();
  SizePictures();
  LoadPictures();
  ClearPlayfield();
  bare = AllPicture.Image().copy();
  for (int n = 0; n <= maxCount; ++n) {
    Game.ShownCount = static_cast<int16_t>(n);
    Game.CatchCount = static_cast<int16_t>(n);
    DrawCounts();
    bands.push_back(AllPicture.Image().copy());
  }
  platform::UseProgramFolder(QString());
  platform::UseMessageSink(nullptr);
}

std::optional<int> PlayfieldReferences::ReadCounter(const QImage& playfield,
                                                    const QRect& area) const {
  int best = 0;
  for (int n = 1; n < static_cast<int>(bands.size()); ++n) {
    if (Mismatch(playfield, bands[n], area) < Mismatch(playfield, bands[best], area)) best = n;
  }
  if (Mismatch(playfield, bands[best], area) > CloseMatch) return std::nullopt;
  return best;
}

double Mismatch(const QImage& playfield, const QImage& reference, const QRect& area) {
  if (playfield.size() != reference.size()) return 1.0;
  int differing = 0;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      const QRgb a = playfield.pixel(x, y);
      const QRgb b = reference.pixel(x, y);
      differing += std::abs(qRed(a) - qRed(b)) > Shade || std::abs(qGreen(a) - qGreen(b)) > Shade ||
                   std::abs(qBlue(a) - qBlue(b)) > Shade;
    }
  }
  return double(differing) / (area.width() * area.height());
}
