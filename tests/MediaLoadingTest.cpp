#include <gtest/gtest.h>

#include <QDir>
#include <QPainter>
#include <QTemporaryDir>
#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "game/GameState.h"
#include "game/Pictures.h"
#include "media/MediaLoading.h"
#include "platform/ProgramFolder.h"
#include "support/GameFixture.h"
#include "support/MediaFiles.h"

namespace {

// The pictures in the order they are read.
const QStringList Files = [] {
  QStringList files{QStringLiteral("Back.jpg")};
  for (const char* stem : {"Kob", "KobMask"}) {
    for (int k = 1; k <= 8; ++k)
      files << QStringLiteral("%1%2.jpg").arg(QLatin1String(stem)).arg(k, 2, 10, QLatin1Char('0'));
  }
  return files << QStringLiteral("KeyBorad.jpg");
}();

// Where file i (1 to 16) of Files goes, and its colour there, so that a test
// can tell which file ended up in which slot.
const QImage& Slot(int i) { return i <= 8 ? Game.KobImage[i] : Game.KobMaskImage[i - 8]; }
QColor SlotColour(int i) { return QColor(12 * i, 200 - 12 * i, 100); }

bool Near(QRgb pixel, QColor colour) {
  return std::max({std::abs(qRed(pixel) - colour.red()), std::abs(qGreen(pixel) - colour.green()),
                   std::abs(qBlue(pixel) - colour.blue())}) < 12;
}

// A started program whose folder, named in Japanese with a blank, holds a
// data folder; message boxes are recorded.
class MediaLoading : public GameFixture {
 protected:
  void SetUp() override {
    GameFixture::SetUp();
    programFolder = root.filePath(QStringLiteral("kana catch かな"));
    ASSERT_TRUE(QDir().mkpath(programFolder + QStringLiteral("/Deta")));
    platform::UseProgramFolder(programFolder);
    platform::UseMessageSink(&messages);
  }

  void TearDown() override {
    platform::UseProgramFolder({});
    platform::UseMessageSink(nullptr);
    GameFixture::TearDown();
  }

  QString DataPath(const QString& name) const { return programFolder + "/Deta/" + name; }

  QTemporaryDir root;
  QString programFolder;
  MessageRecorder messages;
};

}  // namespace

// With "Kob05.jpg" missing, say, the background and critters 1 to 4 are
// read, then the message and the end: no mask and no keyboard.
TEST_F(MediaLoading, TheFirstMissingPictureStopsTheLoadingThereWithTheMessageAndTheEnd) {
  for (int missing = 0; missing <= Files.size(); ++missing) {
    SCOPED_TRACE(missing < Files.size() ? Files[missing].toStdString() : "none missing");
    ClearGameState();
    messages.messages.clear();
    BackPicture.Image().fill(Qt::white);
    // The background is red with a blue lower right quarter, and smaller than the buffer.
    QImage back = PlainPicture(320, 200, Qt::red);
    QPainter(&back).fillRect(160, 100, 160, 100, Qt::blue);
    WriteTestFile(DataPath(Files[0]), JpegBytes(back));
    for (int i = 1; i <= 16; ++i) {
      WriteTestFile(DataPath(Files[i]), JpegBytes(PlainPicture(250, 290, SlotColour(i))));
    }
    WriteTestFile(DataPath(Files[17]), JpegBytes(PlainPicture(512, 192, Qt::darkCyan)));
    if (missing == Files.size()) {
      LoadPictures();
      EXPECT_TRUE(messages.messages.empty());
    } else {
      QFile::remove(DataPath(Files[missing]));
      EXPECT_THROW(LoadPictures(), ProgramEnded);
      EXPECT_EQ(messages.messages,
                std::vector<QString>{QStringLiteral("画像データ読み込みエラー")});
    }
    EXPECT_EQ(Near(BackPicture.Image().pixel(5, 5), Qt::red), missing > 0);
    for (int i = 1; i <= 16; ++i) {
      ASSERT_EQ(Slot(i).isNull(), i >= missing) << Files[i].toStdString();
      if (i >= missing) continue;
      EXPECT_EQ(Slot(i).size(), QSize(KobWidth, KobHeight));
      EXPECT_TRUE(Near(Slot(i).pixel(60, 70), SlotColour(i))) << Files[i].toStdString();
    }
    EXPECT_EQ(Game.KeyboardImage.isNull(), missing < Files.size());
  }
  EXPECT_EQ(Game.KeyboardImage.size(), QSize(512, 192)) << "kept at the size it is read";
  const QImage& back = BackPicture.Image();
  ASSERT_EQ(back.size(), QSize(640, 480)) << "stretched, not cropped";
  EXPECT_TRUE(Near(back.pixel(300, 220), Qt::red));
  EXPECT_TRUE(Near(back.pixel(340, 260), Qt::blue));
  EXPECT_TRUE(Near(back.pixel(635, 475), Qt::blue));
}

TEST_F(MediaLoading, LoadSoundsOpensTheTuneByItsFullPathAndEndsWhenTheDeviceIsUnreachable) {
  LoadSounds();
  EXPECT_EQ(music.commands, std::vector<std::string>{
                                "open " + DataPath(QStringLiteral("Blugrass.mid")).toStdString()});
  EXPECT_EQ(Game.MissSoundPath, DataPath(QStringLiteral("金属.wav")));
  EXPECT_EQ(Game.CatchSoundPath, DataPath(QStringLiteral("みゃ.wav")));
  EXPECT_TRUE(messages.messages.empty());

  struct Unreachable : MusicRecorder {
    int Open(const QString&) override { throw std::runtime_error("no multimedia"); }
  } unreachable;
  platform::UseMusicDevice(&unreachable);
  Game.CatchSoundPath.clear();
  EXPECT_THROW(LoadSounds(), ProgramEnded);
  EXPECT_EQ(messages.messages,
            std::vector<QString>{QStringLiteral("サウンドデータ読み込みエラー")});
  EXPECT_TRUE(Game.CatchSoundPath.isEmpty());
}
