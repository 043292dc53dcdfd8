#include "rules/media/MediaLoading.h"

#include <QStringList>
#include <exception>
#include <functional>
#include <utility>
#include <vector>

#include "platform/audio/MusicDevice.h"
#include "platform/drawing/Blit.h"
#include "platform/drawing/JpegFile.h"
#include "platform/drawing/Picture.h"
#include "platform/system/Messages.h"
#include "rules/kana/WordList.h"
#include "rules/media/DataFolder.h"
#include "state/GameState.h"
#include "state/Pictures.h"

namespace {

// A picture of the data folder and where it is kept once read: `keep`
// decodes the file's bytes, false when they do not decode.
struct PictureSlot {
  QString name;
  std::function<bool(const QByteArray& file)> keep;
};

// The data set draws the critters and their masks at twice the size the
// playfield shows them; they are kept at the size and pixel ratio of the
// pictures they are put together in, so on a screen of ratio 2 they keep
// every pixel they were drawn with.
QImage AtKobSize(const QImage& picture) {
  return platform::ScaledForDrawing(picture, QSize(KobWidth, KobHeight), KobPicture[1].Ratio());
}

// Fills the whole background buffer, whatever the picture's own size. A
// picture of the buffer's own size (the data set's, on a screen of ratio 2)
// is decoded straight into it.
bool DrawBackground(const QByteArray& file) {
  if (platform::DecodeJpegInto(file, BackPicture.ImageToDrawIn())) return true;
  const QImage picture = platform::DecodeJpeg(file);
  if (picture.isNull()) return false;
  const QRect whole(0, 0, BackPicture.Width(), BackPicture.Height());
  platform::StretchBlt(BackPicture, whole, picture, picture.rect(), platform::SRCCOPY);
  return true;
}

// A slot's `keep` for a picture kept as `keep` makes it from the decoded picture.
std::function<bool(const QByteArray&)> Decoded(std::function<void(const QImage&)> keep) {
  return [keep = std::move(keep)](const QByteArray& file) {
    const QImage picture = platform::DecodeJpeg(file);
    if (!picture.isNull()) keep(picture);
    return !picture.isNull();
  };
}

// `stem` followed by k as two digits: "Kob05.jpg".
QString NumberedName(const char* stem, int k) {
  return QStringLiteral("%1%2.jpg").arg(QLatin1String(stem)).arg(k, 2, 10, QLatin1Char('0'));
}

std::vector<PictureSlot> PictureOrder() {
  std::vector<PictureSlot> order;
  order.push_back({QStringLiteral("Back.jpg"), DrawBackground});
  for (int k = 1; k <= 8; ++k) {
    order.push_back({NumberedName("Kob", k), Decoded([k](const QImage& picture) {
                       Game.KobImage[k] = AtKobSize(picture);
                     })});
  }
  for (int k = 1; k <= 8; ++k) {
    order.push_back({NumberedName("KobMask", k), Decoded([k](const QImage& picture) {
                       // Black and white: a quarter of the memory as greys.
                       Game.KobMaskImage[k] = platform::GrayIfColourless(AtKobSize(picture));
                     })});
  }
  // Kept as its file's bytes once found to decode.
  order.push_back({QStringLiteral("KeyBorad.jpg"), [](const QByteArray& file) {
                     if (platform::DecodeJpeg(file).isNull()) return false;
                     Game.KeyboardJpeg = file;
                     return true;
                   }});
  return order;
}

}  // namespace

void LoadPictures() {
  const QString folder = DataFolder();
  for (const PictureSlot& slot : PictureOrder()) {
    if (!slot.keep(platform::ReadJpegFile(folder + slot.name))) {
      platform::ShowMessage(QStringLiteral("画像データ読み込みエラー"));
      platform::EndProgram();
      return;
    }
  }
}

void LoadSounds() {
  const QString folder = DataFolder();
  try {
    platform::Music().Open(folder + QStringLiteral("Blugrass.mid"));
    Game.MissSoundPath = folder + QStringLiteral("金属.wav");
    Game.CatchSoundPath = folder + QStringLiteral("みゃ.wav");
  } catch (const std::exception&) {
    // The music device could not be reached at all (it ran out of memory or
    // threads): the program cannot go on with its sounds half set up.
    platform::ShowMessage(QStringLiteral("サウンドデータ読み込みエラー"));
    platform::EndProgram();
  }
}

void LoadWordTables() {
  const QString folder = DataFolder();
  QStringList unusable;
  for (const KanaScript script : {KanaScript::Hiragana, KanaScript::Katakana}) {
    WordTable& table = script == KanaScript::Katakana ? Game.KatakanaWords : Game.HiraganaWords;
    table = ReadWordTable(folder + WordTableFileName(script), script);
    if (!table.fault.isEmpty()) unusable << WordTableFileName(script);
  }
  if (!unusable.isEmpty())
    platform::ShowMessage(QStringLiteral("ことばデータ読み込みエラー\n") + unusable.join(u'\n'));
}

QImage ReadDataPicture(const QString& fileName) {
  return platform::LoadJpeg(DataFolder() + fileName);
}
