#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <cmath>
#include <vector>

#include "platform/FluidSynthSequencer.h"
#include "support/MediaFiles.h"

using namespace platform;

// The test tune sounds for its first second, is silent until three seconds
// and then ends; the level is the root mean square of the left channel.
TEST(FluidSynthTune, PlaysFromItsBeginningAtEveryPlayAndStopSilencesItAtOnce) {
  QTemporaryDir dir;
  WriteTestFile(dir.filePath("Blugrass.mid"), TestTune());
  int error = MusicOk;
  const auto tune = FluidSynthSequencer::Open(dir.filePath("Blugrass.mid").toStdString(),
                                              SynthOutput::Caller, error);
  ASSERT_TRUE(tune) << "error " << error << "; soundfont: " << GeneralMidiSoundFont();
  const auto level = [&](int ms) {
    const int frames = tune->SampleRate() * ms / 1000;
    std::vector<float> left(frames), right(frames);
    tune->Render(frames, left.data(), right.data());
    double sum = 0;
    for (float sample : left) sum += double{sample} * sample;
    return std::sqrt(sum / frames);
  };
  constexpr double Loud = 1e-3, Quiet = 1e-4;

  EXPECT_LT(level(300), Quiet) << "not played yet";
  ASSERT_EQ(tune->PlayFromStart(), MusicOk);
  EXPECT_GT(level(250), Loud);
  level(1550);
  ASSERT_LT(level(200), Quiet) << "the tune's silent part";
  ASSERT_EQ(tune->PlayFromStart(), MusicOk);
  EXPECT_GT(level(250), Loud) << "while playing";
  level(8000);
  ASSERT_EQ(tune->PlayFromStart(), MusicOk);
  EXPECT_GT(level(250), Loud) << "after the end";
  level(1550);
  ASSERT_EQ(tune->Stop(), MusicOk);
  ASSERT_EQ(tune->PlayFromStart(), MusicOk);
  EXPECT_GT(level(250), Loud) << "after stop";
  ASSERT_EQ(tune->Stop(), MusicOk);
  level(500);  // the note's release
  EXPECT_LT(level(250), Quiet) << "the note would sound until one second";
  // Start and Stop before the first note has gone by, then Start again.
  ASSERT_EQ(tune->PlayFromStart(), MusicOk);
  ASSERT_EQ(tune->Stop(), MusicOk);
  ASSERT_EQ(tune->PlayFromStart(), MusicOk);
  EXPECT_GT(level(250), Loud) << "stopped before its first event had passed";
}
