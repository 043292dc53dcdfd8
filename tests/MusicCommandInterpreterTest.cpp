#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <string>
#include <vector>

#include "platform/FluidSynthSequencer.h"
#include "platform/MusicCommandInterpreter.h"
#include "support/MediaFiles.h"

using namespace platform;
using namespace std::string_literals;

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

std::string OpenCommand(const QString& path) {
  return "open \"" + path.toStdString() + "\" type sequencer alias gBGMfile";
}

}  // namespace

// Keywords and aliases are matched without regard to case or blanks; the path
// runs to the last quote, so folder names may hold blanks and quotes.
TEST_F(Interpreter, CommandsReachOnlyTheTuneOpenedUnderTheirAlias) {
  const std::string odd = "/x/ユーザー/kana \"catch\" it's\" type sequencer alias b \"/a.mid";
  EXPECT_EQ(device.Send("open \"/missing/a.mid\" type sequencer alias gBGMfile"), MusicBadTune);
  EXPECT_EQ(device.Send("play gBGMfile from 0 "), MusicUnknownAlias) << "it failed to open";
  EXPECT_EQ(device.Send(" Open  \"" + odd + "\"  TYPE Sequencer ALIAS gBGMfile "), MusicOk);
  EXPECT_EQ(device.Send("open \"/d/b.mid\" type sequencer alias other"), MusicOk);
  EXPECT_EQ(device.Send("open \"/d/c.mid\" type sequencer alias GBGMFILE"), MusicAliasInUse);
  EXPECT_EQ(device.Send("  PLAY   GbgmFile\tFROM  0"), MusicOk);
  EXPECT_EQ(device.Send("stop other "), MusicOk);
  EXPECT_EQ(device.Send("close gBGMfile "), MusicOk);
  EXPECT_EQ(device.Send("stop gBGMfile "), MusicUnknownAlias) << "closed already";
  EXPECT_EQ(device.Send("close gBGMfile "), MusicUnknownAlias) << "closing twice is harmless";
  EXPECT_EQ(log, (Log{"open /missing/a.mid", "open " + odd, "open /d/b.mid", "play " + odd,
                      "stop /d/b.mid", "close " + odd}));
}

// Nothing but the game's own four commands is ever carried out.
TEST_F(Interpreter, AnyOtherWordingIsRefusedAndReachesNoTune) {
  ASSERT_EQ(device.Send("open \"/d/a.mid\" type sequencer alias a"), MusicOk);
  log.clear();
  for (const std::string& command :
       {"open \"/a/b\0c.mid\" type sequencer alias b"s, "open /b.mid type sequencer alias b"s,
        "open \"/b.mid type sequencer alias b"s, "open\"/b.mid\" type sequencer alias b"s,
        "open \"/b.mid\"type sequencer alias b"s, "open \"\" type sequencer alias b"s,
        "open \"/b.mid\" type sequencer"s, "open \"/b.mid\" type waveaudio alias b"s,
        "open \"/b.mid\" type sequencer alias b wait"s,
        "open \"/b.mid\" type sequencer alias b\"c"s, "   "s, "play a"s, "play a from 5"s,
        "stop a now"s, "pause a"s, "seek a to start"s}) {
    EXPECT_EQ(device.Send(command), MusicBadCommand) << command;
  }
  EXPECT_TRUE(log.empty());
}

// The real synthesizer, rendering for nobody, so that no sound card is needed.
TEST(SynthesizerDevice, PlaysATuneWhoseFolderHoldsBlanksQuotesAndJapaneseAndRefusesBadTunes) {
  QTemporaryDir dir;
  MusicCommandInterpreter device{[](const std::string& path, int& error) {
    return std::unique_ptr<Sequencer>(FluidSynthSequencer::Open(path, SynthOutput::Caller, error));
  }};
  const QString folder = dir.filePath(QStringLiteral("kana \"catch\" it's かな/Deta"));
  ASSERT_TRUE(QDir().mkpath(folder));
  WriteTestFile(folder + "/Blugrass.mid", TestTune());
  EXPECT_EQ(device.Send(OpenCommand(folder + "/Blugrass.mid")), MusicOk);
  for (const char* command : {"play gBGMfile from 0 ", "stop gBGMfile ", "play gBGMfile from 0 ",
                              "stop gBGMfile ", "close gBGMfile "}) {
    EXPECT_EQ(device.Send(command), MusicOk) << command;
  }
  EXPECT_EQ(device.Send("play gBGMfile from 0 "), MusicUnknownAlias);

  WriteTestFile(dir.filePath("cut.mid"), TestTune().chopped(5));
  WriteTestFile(dir.filePath("text.mid"), "MThd but not really a tune");
  for (const char* name : {"none.mid", "cut.mid", "text.mid"}) {
    EXPECT_EQ(device.Send(OpenCommand(dir.filePath(name))), MusicBadTune) << name;
  }
  EXPECT_EQ(device.Send("stop gBGMfile "), MusicUnknownAlias);
}

// Without an audio output play answers 262 and nothing is heard.
TEST(ProgramMusicDevice, AnswersAtOnceWithOrWithoutASoundCard) {
  QTemporaryDir dir;
  WriteTestFile(dir.filePath("Blugrass.mid"), TestTune());
  UseMusicDevice(nullptr);
  EXPECT_EQ(SendMusicCommand(OpenCommand(dir.filePath("Blugrass.mid"))), MusicOk);
  const int played = SendMusicCommand("play gBGMfile from 0 ");
  EXPECT_TRUE(played == MusicOk || played == MusicNoAudioOutput) << played;
  EXPECT_EQ(SendMusicCommand("stop gBGMfile "), MusicOk);
  EXPECT_EQ(SendMusicCommand("close gBGMfile "), MusicOk);
}
