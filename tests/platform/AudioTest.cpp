// The platform's sound: the wave player with its flags, wave files, the
// audio module loaded at the first playable sound, and the music device with
// its synthesizer.
#include <gtest/gtest.h>

#include <QTest>

#include "platform/audio/FlaggedWavePlayer.h"
#include "platform/audio/FluidSynthSequencer.h"
#include "platform/audio/ProgramWaveOutput.h"
#include "platform/audio/SequencerDevice.h"
#include "platform/audio/WaveFile.h"
#include "platform/system/Services.h"
#include "support/MediaFiles.h"
#include "support/TestDoubles.h"

using namespace platform;

namespace {

using Log = std::vector<std::string>;

// An output that knows "catch.wav", of 400 ms, and writes down what it is
// asked to do.
class ListedWaveOutput : public WaveOutput {
 public:
  std::optional<uint32_t> Load(const QString& path) override {
    log.push_back("load " + path.toStdString());
    return path == "catch.wav" ? std::optional<uint32_t>(400) : std::nullopt;
  }
  void Start(const QString& path) override { log.push_back("start " + path.toStdString()); }
  void StopAll() override { log.push_back("stop"); }
  Log log;
};

bool QtMultimediaLoaded() {
  QFile maps("/proc/self/maps");
  return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("libQt6Multimedia");
}

}  // namespace

// The game's flags, 19, hold SndNoStop: a request while a sound plays is
// dropped, neither cutting it off nor loading its file, until the playing
// sound's length has passed. Each file is decoded once; a missing one plays
// nothing.
TEST(WaveRequests, WithTheGamesFlagsARequestWhileASoundPlaysIsDroppedAlsoAcrossTheTickWrap) {
  TestClock clock;
  platform::UseServices({.ticks = &clock});
  ListedWaveOutput output;
  FlaggedWavePlayer player{output};
  for (uint32_t start : {1000u, 0xFFFFFFFFu - 200}) {
    clock.Set(start);
    for (const auto& [wait, path] :
         {std::pair{0u, "catch.wav"}, {399u, "miss.wav"}, {1u, "catch.wav"}, {400u, "gone.wav"}}) {
      clock.Advance(wait);
      player.Play(path, GameSoundFlags);
    }
  }
  EXPECT_EQ(output.log, (Log{"load catch.wav", "start catch.wav", "start catch.wav",
                             "load gone.wav", "start catch.wav", "start catch.wav"}));
  platform::ResetServices();
}

// A length is rounded up to whole milliseconds and counts frames of the
// size the format chunk gives; a wave without frames, without a format
// chunk before its samples, or in a format the sound effects cannot play
// (here ADPCM) is no sound (the loader's tests try damaged files).
TEST(WaveFiles, KnowTheirLengthRoundedUpToWholeMilliseconds) {
  QTemporaryDir dir;
  const QString path = dir.filePath("tone.wav");
  for (const auto& [ms, rate] : {std::pair{250, 22050}, {1234, 44100}, {0, 22050}}) {
    WriteTestFile(path, ToneWave(ms, rate));
    EXPECT_EQ(WaveFileLength(path), ms ? std::optional<uint32_t>(ms) : std::nullopt);
  }
  const QByteArray tone = ToneWave(250, 22050);
  // Bytes 20, 22 and 32 hold the format, the channels and the frame's size.
  for (const auto& [at, bytes, ms] :
       {std::tuple{12, QByteArray("junk"), std::optional<uint32_t>()},
        {20, QByteArray("\x02\x00", 2), std::optional<uint32_t>()},
        {22, QByteArray("\x02\x00", 2), std::optional<uint32_t>()},
        {32, QByteArray("\x04\x00", 2), std::optional<uint32_t>(125)}}) {
    WriteTestFile(path, QByteArray(tone).replace(at, bytes.size(), bytes));
    EXPECT_EQ(WaveFileLength(path), ms) << "changed at " << at;
  }
}

// Qt Multimedia and the sound server's libraries are loaded with the audio
// module at the first playable sound. (That the module stays out where no
// output can open, the damaged folders' starts hear: the terminal would get
// the libraries' complaints.)
TEST(ProgramWaveOutput, LoadsTheAudioModuleAtTheFirstPlayableSound) {
  QTemporaryDir runtime, dir;
  const QByteArray runtimeBefore = qgetenv("XDG_RUNTIME_DIR");
  qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
  qunsetenv("PULSE_SERVER");
  platform::UseServices({.programFolder = QStringLiteral(KANACATCH_APP_DIR)});
  const QString sound = dir.filePath("250.wav"), broken = dir.filePath("broken.wav");
  WriteTestFile(sound, ToneWave(250, 22050));
  WriteTestFile(broken, ToneWave(250, 22050).left(60));
  ASSERT_FALSE(QtMultimediaLoaded());
  // A sound server's socket, as far as the program looks.
  ASSERT_TRUE(QDir(runtime.path()).mkdir("pulse"));
  WriteTestFile(runtime.filePath("pulse/native"), "");
  ProgramWaveOutput output;
  EXPECT_EQ(output.Load(broken), std::nullopt);
  EXPECT_FALSE(QtMultimediaLoaded()) << "loaded for a file that cannot play";
  EXPECT_EQ(output.Load(sound), 250u);
  EXPECT_TRUE(QtMultimediaLoaded());
  output.Start(sound);
  output.StopAll();
  platform::ResetServices();
  qputenv("XDG_RUNTIME_DIR", runtimeBefore);
}

// The music device holds one tune at a time, which it plays and stops; it
// refuses what needs another tune or none. The test tune sounds for its
// first second, is silent until three seconds and then ends; the level is
// the root mean square of the left channel.
TEST(FluidSynthTune, PlaysFromItsBeginningAtEveryPlayAndStopSilencesItAtOnce) {
  QTemporaryDir dir;
  const QString path = dir.filePath("Blugrass.mid");
  WriteTestFile(path, TestTune());
  FluidSynthSequencer* tune = nullptr;
  SequencerDevice device([&](const std::string& file, int& error) {
    return std::unique_ptr<Sequencer>(
        tune = FluidSynthSequencer::Open(file, SynthOutput::Caller, error).release());
  });
  EXPECT_EQ(device.PlayFromStart(), MusicNotOpen);
  EXPECT_EQ(device.Open(dir.filePath("missing.mid")), MusicBadTune);
  EXPECT_EQ(device.Stop(), MusicNotOpen);
  ASSERT_EQ(device.Open(path), MusicOk) << "soundfont: " << GeneralMidiSoundFont();
  EXPECT_EQ(device.Open(path), MusicAlreadyOpen);
  const auto level = [&](int ms) {
    const int frames = tune->SampleRate() * ms / 1000;
    std::vector<float> left(frames), right(frames);
    tune->Render(frames, left.data(), right.data());
    double sum = 0;
    for (float sample : left) sum += double{sample} * sample;
    return std::sqrt(sum / frames);
  };
  constexpr double Loud = 1e-3, Quiet = 1e-4;
  const auto playsFromTheStart = [&](const char* when) {
    ASSERT_EQ(device.PlayFromStart(), MusicOk);
    EXPECT_GT(level(250), Loud) << when;
  };

  EXPECT_LT(level(300), Quiet) << "not played yet";
  playsFromTheStart("first play");
  level(1550);
  ASSERT_LT(level(200), Quiet) << "the tune's silent part";
  playsFromTheStart("while playing");
  level(8000);
  playsFromTheStart("after the end");
  ASSERT_EQ(device.Stop(), MusicOk);
  level(500);  // the note's release
  EXPECT_LT(level(250), Quiet) << "the note would sound until one second";
  // Start and Stop before the first note has gone by, then Start again.
  ASSERT_EQ(device.PlayFromStart(), MusicOk);
  ASSERT_EQ(device.Stop(), MusicOk);
  playsFromTheStart("stopped before its first event had passed");
  EXPECT_EQ(device.Close(), MusicOk);
  EXPECT_EQ(device.Close(), MusicNotOpen);
}
