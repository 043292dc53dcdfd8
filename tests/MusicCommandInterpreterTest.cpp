#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <string>
#include <vector>

#include "platform/FluidSynthSequencer.h"
#include "platform/MusicCommandInterpreter.h"
#include "support/MediaFiles.h"

using namespace platform;

namespace {

using Log = std::vector<std::string>;

// A tune that writes what it is told into a log shared by all tunes.
class LoggedTune : public Sequencer {
 public:
  LoggedTune(std::string path, Log& log) : path(std::move(path)), log(log) {}
  ~LoggedTune() override { log.push_back("close " + path); }
  int PlayFromStart() override { return Note("play "); }
  int Stop() override { return Note("stop "); }

 private:
  int Note(const char* what) {
    log.push_back(what + path);
    return MusicOk;
  }
  std::string path;
  Log& log;
};

// Opens every path except those under "/missing".
class Interpreter : public testing::Test {
 protected:
  Log log;  // before the device, which closes its tunes into it as it goes
  MusicCommandInterpreter device{
      [this](const std::string& path, int& error) -> std::unique_ptr<Sequencer> {
        log.push_back("open " + path);
        if (path.rfind("/missing", 0) == 0) {
          error = MusicBadTune;
          return nullptr;
        }
        return std::make_unique<LoggedTune>(path, log);
      }};
};

}  // namespace

TEST_F(Interpreter, CommandsReachTheTuneOpenedUnderTheirAlias) {
  EXPECT_EQ(device.Send("open \"/d/a.mid\" type sequencer alias gBGMfile"), MusicOk);
  EXPECT_EQ(device.Send("open \"/d/b.mid\" type sequencer alias other"), MusicOk);
  EXPECT_EQ(device.Send("play gBGMfile from 0 "), MusicOk);
  EXPECT_EQ(device.Send("stop other "), MusicOk);
  EXPECT_EQ(device.Send("close gBGMfile "), MusicOk);
  EXPECT_EQ(log, (Log{"open /d/a.mid", "open /d/b.mid", "play /d/a.mid", "stop /d/b.mid",
                      "close /d/a.mid"}));
}

TEST_F(Interpreter, AnAliasNotOpenOrOpenAlreadyOrAnUnknownCommandReachesNoTune) {
  EXPECT_EQ(device.Send("open \"/missing/Blugrass.mid\" type sequencer alias gBGMfile"),
            MusicBadTune);
  EXPECT_EQ(device.Send("play gBGMfile from 0 "), MusicUnknownAlias) << "it failed to open";
  EXPECT_EQ(device.Send("open \"/d/a.mid\" type sequencer alias gBGMfile"), MusicOk);
  log.clear();
  EXPECT_EQ(device.Send("open \"/d/b.mid\" type sequencer alias GBGMFILE"), MusicAliasInUse);
  EXPECT_EQ(device.Send("pause gBGMfile "), MusicBadCommand);
  EXPECT_EQ(device.Send("play gBGMfile "), MusicBadCommand);
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(device.Send("close gBGMfile "), MusicOk);
  EXPECT_EQ(device.Send("stop gBGMfile "), MusicUnknownAlias) << "closed already";
  EXPECT_EQ(device.Send("close gBGMfile "), MusicUnknownAlias) << "closing twice is harmless";
  EXPECT_EQ(log, Log{"close /d/a.mid"});
}

namespace {

std::string OpenCommand(const QString& path) {
  return "open \"" + path.toStdString() + "\" type sequencer alias gBGMfile";
}

// The device over the real synthesizer, rendering for nobody, so that no
// sound card is needed.
class SynthesizerDevice : public testing::Test {
 protected:
  QTemporaryDir dir;
  MusicCommandInterpreter device{
      [](const std::string& path, int& error) -> std::unique_ptr<Sequencer> {
        return FluidSynthSequencer::Open(path, SynthOutput::Caller, error);
      }};
};

}  // namespace

TEST_F(SynthesizerDevice, PlaysATuneWhoseFolderHoldsBlanksQuotesAndJapanese) {
  const QString folder = dir.filePath(QStringLiteral("kana \"catch\" it's かな/Deta"));
  ASSERT_TRUE(QDir().mkpath(folder));
  WriteTestFile(folder + "/Blugrass.mid", TestTune());
  EXPECT_EQ(device.Send(OpenCommand(folder + "/Blugrass.mid")), MusicOk);
  for (const char* command : {"play gBGMfile from 0 ", "stop gBGMfile ", "play gBGMfile from 0 ",
                              "stop gBGMfile ", "close gBGMfile "}) {
    EXPECT_EQ(device.Send(command), MusicOk) << command;
  }
  EXPECT_EQ(device.Send("play gBGMfile from 0 "), MusicUnknownAlias);
}

TEST_F(SynthesizerDevice, AMissingOrBrokenTuneIsAnErrorAndLaterCommandsFailQuietly) {
  EXPECT_EQ(device.Send(OpenCommand(dir.filePath("none.mid"))), MusicBadTune);
  WriteTestFile(dir.filePath("cut.mid"), TestTune().chopped(5));
  EXPECT_EQ(device.Send(OpenCommand(dir.filePath("cut.mid"))), MusicBadTune);
  WriteTestFile(dir.filePath("text.mid"), "MThd but not really a tune");
  EXPECT_EQ(device.Send(OpenCommand(dir.filePath("text.mid"))), MusicBadTune);
  EXPECT_EQ(device.Send("play gBGMfile from 0 "), MusicUnknownAlias);
}

TEST(ProgramMusicDevice, AnswersAtOnceWithOrWithoutASoundCard) {
  // Without an audio output play answers 262 and nothing is heard.
  QTemporaryDir dir;
  WriteTestFile(dir.filePath("Blugrass.mid"), TestTune());
  UseMusicDevice(nullptr);
  EXPECT_EQ(SendMusicCommand(OpenCommand(dir.filePath("Blugrass.mid"))), MusicOk);
  const int played = SendMusicCommand("play gBGMfile from 0 ");
  EXPECT_TRUE(played == MusicOk || played == MusicNoAudioOutput) << played;
  EXPECT_EQ(SendMusicCommand("stop gBGMfile "), MusicOk);
  EXPECT_EQ(SendMusicCommand("close gBGMfile "), MusicOk);
}
