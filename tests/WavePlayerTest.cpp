#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <algorithm>
#include <iterator>
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

// An output whose files and lengths the test names, and which writes down
// what it is asked to do.
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

TEST_F(WaveRequests, ARequestWhileASoundPlaysIsDroppedNotCuttingItOff) {
  Play("miss.wav");
  clock.Advance(100);
  Play("catch.wav");
  Play("miss.wav");
  EXPECT_EQ(output.log, (Log{"load miss.wav", "start miss.wav"}));
}

TEST_F(WaveRequests, ARequestOnceTheSoundHasEndedPlaysAlsoAcrossTheTickWrap) {
  for (uint32_t start : {1000u, 0xFFFFFFFFu - 200}) {
    clock.Set(start);
    Play("catch.wav");
    clock.Advance(399);
    Play("miss.wav");
    clock.Advance(1);
    Play("catch.wav");
  }
  Log starts;
  std::copy_if(output.log.begin(), output.log.end(), std::back_inserter(starts),
               [](const std::string& entry) { return entry.rfind("start", 0) == 0; });
  EXPECT_EQ(starts, Log(4, "start catch.wav"));
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

TEST(WaveFiles, KnowTheirLengthAndRefuseWhatIsNoWave) {
  QTemporaryDir dir;
  const auto write = [&](const QString& name, const QByteArray& bytes) {
    WriteTestFile(dir.filePath(name), bytes);
    return dir.filePath(name);
  };
  EXPECT_EQ(WaveFileLength(write(QStringLiteral("みゃ.wav"), ToneWave(250))), 250u);
  EXPECT_EQ(WaveFileLength(write(QStringLiteral("tone.wav"), ToneWave(1234, 44100))), 1234u);
  EXPECT_FALSE(WaveFileLength(dir.filePath(QStringLiteral("金属.wav"))));
  EXPECT_FALSE(WaveFileLength(write(QStringLiteral("empty.wav"), {})));
  EXPECT_FALSE(WaveFileLength(write(QStringLiteral("silent.wav"), ToneWave(0))));
  EXPECT_FALSE(WaveFileLength(write(QStringLiteral("text.wav"), "RIFF and some words")));

  // The program's own player, with or without a sound card: the requests
  // return at once and a missing file is no failure.
  UseWavePlayer(nullptr);
  PlayWaveSound(dir.filePath(QStringLiteral("みゃ.wav")), GameSoundFlags);
  PlayWaveSound(dir.filePath(QStringLiteral("金属.wav")), GameSoundFlags);
}
