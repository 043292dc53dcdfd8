#include <gtest/gtest.h>

#include <QDir>
#include <QPainter>
#include <QTemporaryDir>
#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "anim/Pictures.h"
#include "core/GameState.h"
#include "media/MediaLoading.h"
#include "platform/ProgramFolder.h"
#include "support/GameFixture.h"
#include "support/MediaFiles.h"

namespace {

QString Numbered(const char* stem, int k) {
  return QStringLiteral("%1%2.jpg").arg(QLatin1String(stem)).arg(k, 2, 10, QLatin1Char('0'));
}

// Each critter picture and mask has a colour of its own, so a test can tell
// which file ended up in which slot.
QColor KobColour(int k) { return QColor(20 * k, 200 - 20 * k, 100); }
QColor MaskColour(int k) { return QColor(200 - 20 * k, 100, 20 * k); }

bool Near(QRgb pixel, QColor colour) {
  return std::max({std::abs(qRed(pixel) - colour.red()), std::abs(qGreen(pixel) - colour.green()),
                   std::abs(qBlue(pixel) - colour.blue())}) < 12;
}

// A started program whose folder is a temporary one, named in Japanese with
// a blank, holding a complete data folder; message boxes are recorded.
class MediaLoading : public GameFixture {
 protected:
  void SetUp() override {
    GameFixture::SetUp();
    programFolder = root.filePath(QStringLiteral("kana catch かな"));
    ASSERT_TRUE(QDir().mkpath(programFolder + QStringLiteral("/Deta")));
    platform::UseProgramFolder(programFolder);
    platform::UseMessageSink(&messages);
    WriteAllPictures();
  }

  void TearDown() override {
    platform::UseProgramFolder({});
    platform::UseMessageSink(nullptr);
    GameFixture::TearDown();
  }

  QString DataPath(const QString& name) const { return programFolder + "/Deta/" + name; }

  void Write(const QString& name, const QImage& picture) {
    WriteTestFile(DataPath(name), JpegBytes(picture));
  }

  // The background is red with a blue lower right quarter, and smaller
  // than the buffer.
  void WriteAllPictures() {
    QImage back = PlainPicture(320, 200, Qt::red);
    QPainter(&back).fillRect(160, 100, 160, 100, Qt::blue);
    Write(QStringLiteral("Back.jpg"), back);
    for (int k = 1; k <= 8; ++k) {
      Write(Numbered("Kob", k), PlainPicture(250, 290, KobColour(k)));
      Write(Numbered("KobMask", k), PlainPicture(250, 290, MaskColour(k)));
    }
    Write(QStringLiteral("KeyBorad.jpg"), PlainPicture(512, 192, Qt::darkCyan));
  }

  // The critters read so far hold their own files at the playfield's size,
  // then the masks, then the keyboard; the slots not reached hold nothing.
  void ExpectReadUpTo(int kobsRead, int masksRead, bool keyboardRead) {
    for (int k = 1; k <= 8; ++k) {
      const QImage& kob = Game.KobImage[k];
      const QImage& mask = Game.KobMaskImage[k];
      ASSERT_EQ(kob.isNull(), k > kobsRead) << "Kob " << k;
      ASSERT_EQ(mask.isNull(), k > masksRead) << "mask " << k;
      if (k <= kobsRead) {
        EXPECT_EQ(kob.size(), QSize(KobWidth, KobHeight));
        EXPECT_TRUE(Near(kob.pixel(60, 70), KobColour(k))) << "Kob " << k;
      }
      if (k <= masksRead) {
        EXPECT_EQ(mask.size(), QSize(KobWidth, KobHeight));
        EXPECT_TRUE(Near(mask.pixel(60, 70), MaskColour(k))) << "mask " << k;
      }
    }
    EXPECT_EQ(Game.KeyboardImage.isNull(), !keyboardRead);
  }

  QTemporaryDir root;
  QString programFolder;
  MessageRecorder messages;
};

}  // namespace

TEST_F(MediaLoading, ACompleteDataFolderFillsEverySlotWithoutAMessage) {
  LoadPictures();
  EXPECT_TRUE(messages.messages.empty());
  ExpectReadUpTo(8, 8, true);
  EXPECT_EQ(Game.KeyboardImage.size(), QSize(512, 192)) << "kept at the size it is read";

  // The background is scaled to fill the whole buffer, not cropped.
  const QImage& back = BackPicture.Image();
  ASSERT_EQ(back.size(), QSize(640, 480));
  EXPECT_TRUE(Near(back.pixel(5, 5), Qt::red));
  EXPECT_TRUE(Near(back.pixel(300, 220), Qt::red));
  EXPECT_TRUE(Near(back.pixel(340, 260), Qt::blue));
  EXPECT_TRUE(Near(back.pixel(635, 475), Qt::blue));
}

TEST_F(MediaLoading, EachMissingPictureStopsTheLoadingThereWithTheMessageAndTheEnd) {
  // With "Kob05.jpg" missing: the background and critters 1 to 4 are read,
  // no mask and no keyboard.
  std::vector<QString> order{QStringLiteral("Back.jpg")};
  for (int k = 1; k <= 8; ++k) order.push_back(Numbered("Kob", k));
  for (int k = 1; k <= 8; ++k) order.push_back(Numbered("KobMask", k));
  order.push_back(QStringLiteral("KeyBorad.jpg"));

  const QString PictureError = QStringLiteral("画像データ読み込みエラー");
  for (int broken = 0; broken < static_cast<int>(order.size()); ++broken) {
    SCOPED_TRACE(order[broken].toStdString());
    ClearGameState();
    messages.messages.clear();
    WriteAllPictures();
    BackPicture.Image().fill(Qt::white);
    QFile::remove(DataPath(order[broken]));
    EXPECT_THROW(LoadPictures(), ProgramEnded);
    EXPECT_EQ(messages.messages, std::vector<QString>{PictureError});
    EXPECT_EQ(Near(BackPicture.Image().pixel(5, 5), Qt::red), broken > 0);
    ExpectReadUpTo(std::clamp(broken - 1, 0, 8), std::clamp(broken - 9, 0, 8), false);
  }
}

TEST_F(MediaLoading, LoadSoundsOpensTheTuneByItsFullUtf8PathAndNamesTheSounds) {
  LoadSounds();
  const std::string folder = DataPath({}).toStdString();
  EXPECT_EQ(music.commands,
            std::vector<std::string>{"open \"" + folder +
                                     "Blugrass.mid\" type sequencer alias gBGMfile"});
  EXPECT_EQ(Game.MissSoundPath, DataPath(QStringLiteral("金属.wav")));
  EXPECT_EQ(Game.CatchSoundPath, DataPath(QStringLiteral("みゃ.wav")));
  EXPECT_TRUE(messages.messages.empty());
}

TEST_F(MediaLoading, AMusicDeviceThatCannotBeReachedShowsTheSoundMessageAndEnds) {
  struct Unreachable : platform::MusicDevice {
    int Send(const std::string&) override { throw std::runtime_error("no multimedia"); }
  } unreachable;
  platform::UseMusicDevice(&unreachable);
  EXPECT_THROW(LoadSounds(), ProgramEnded);
  EXPECT_EQ(messages.messages,
            std::vector<QString>{QStringLiteral("サウンドデータ読み込みエラー")});
  EXPECT_TRUE(Game.CatchSoundPath.isEmpty());
}
