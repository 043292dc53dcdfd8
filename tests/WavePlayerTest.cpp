#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <map>
#include <string>
#include <vector>

#include "platform/FlaggedWavePlayer.h"
#include "platform/QtWaveOutput.h"
#include "support/MediaFiles.h"
#include "support/TestDoubles.h"

using namespace platform;

namespace {

using Log = std::vector<std::string>;

// An output that knows two files, "catch.wav" of 400 ms and "miss.wav" of
// 150 ms, and writes down what it is asked to do.
class ListedWaveOutput : public WaveOutput {
 public:
  std::optional<uint32_t> Load(const QString& path) override {
    log.push_back("load " + path.toStdString());
    const auto found = lengths.find(path.toStdString());
    return found == lengths.end() ? std::nullopt : std::optional(found->second);
  }
  void Start(const QString& path) override { log.push_back("start " + path.toStdString()); }
  void StopAll() override { log.push_back("stop"); }

  std::map<std::string, uint32_t> lengths{{"catch.wav", 400}, {"miss.wav", 150}};
  Log log;
};

class WaveRequests : public testing::Test {
 protected:
  void SetUp() override { UseTickSource(&clock); }
  void TearDown() override { UseTickSource(nullptr); }

  void Play(const char* path, unsigned flags = GameSoundFlags) {
    player.Play(QString::fromLatin1(path), flags);
  }

  TestClock clock;
  ListedWaveOutput output;
  FlaggedWavePlayer player{output};
};

}  // namespace

// The game's flags, 19, hold SndNoStop: a request while a sound plays is
// dropped, neither cutting it off nor loading its file, until the playing
// sound's length has passed.
TEST_F(WaveRequests, WithTheGamesFlagsARequestWhileASoundPlaysIsDroppedAlsoAcrossTheTickWrap) {
  for (uint32_t start : {1000u, 0xFFFFFFFFu - 200}) {
    clock.Set(start);
    Play("catch.wav");
    clock.Advance(399);
    Play("miss.wav");
    clock.Advance(1);
    Play("catch.wav");
  }
  EXPECT_EQ(output.log, (Log{"load catch.wav", "start catch.wav", "start catch.wav",
                             "start catch.wav", "start catch.wav"}));
}

TEST_F(WaveRequests, AMissingFilePlaysNothingAndEachFileIsDecodedOnlyOnce) {
  for (int i = 0; i < 3; ++i) {
    Play("gone.wav");
    Play("miss.wav");
    clock.Advance(1000);
  }
  EXPECT_EQ(output.log, (Log{"load gone.wav", "load miss.wav", "start miss.wav", "start miss.wav",
                             "start miss.wav"}));
}

TEST_F(WaveRequests, WithoutNoStopANewSoundCutsThePlayingOneOff) {
  Play("catch.wav", SndAsync | SndNoDefault);
  clock.Advance(10);
  Play("miss.wav", SndAsync | SndNoDefault);
  EXPECT_EQ(output.log,
            (Log{"load catch.wav", "start catch.wav", "load miss.wav", "stop", "start miss.wav"}));
}

// The program's own player returns at once, with or without a sound card,
// and a missing file is no failure.
TEST(WaveFiles, KnowTheirLengthAndRefuseWhatIsNoWave) {
  QTemporaryDir dir;
  const auto write = [&](const char* name, const QByteArray& bytes) {
    WriteTestFile(dir.filePath(QString::fromUtf8(name)), bytes);
    return dir.filePath(QString::fromUtf8(name));
  };
  EXPECT_EQ(WaveFileLength(write("みゃ.wav", ToneWave(250))), 250u);
  EXPECT_EQ(WaveFileLength(write("tone.wav", ToneWave(1234, 44100))), 1234u);
  for (const QString& path :
       {dir.filePath(QStringLiteral("金属.wav")), write("empty.wav", {}),
        write("silent.wav", ToneWave(0)), write("text.wav", "RIFF and some words"),
        write("cut.wav", ToneWave(250).chopped(100))}) {
    EXPECT_FALSE(WaveFileLength(path)) << path.toStdString();
  }
  UseWavePlayer(nullptr);
  PlayWaveSound(dir.filePath(QStringLiteral("みゃ.wav")), GameSoundFlags);
  PlayWaveSound(dir.filePath(QStringLiteral("金属.wav")), GameSoundFlags);
}
