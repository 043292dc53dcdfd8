#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <cmath>
#include <vector>

#include "platform/FluidSynthSequencer.h"
#include "support/MediaFiles.h"

using namespace platform;

namespace {

// The test tune sounds for its first second, is silent until three seconds
// and then ends. A level is the root mean square of the left channel.
constexpr double Loud = 1e-3;
constexpr double Quiet = 1e-4;

class FluidSynthTune : public testing::Test {
 protected:
  void SetUp() override {
    WriteTestFile(dir.filePath("Blugrass.mid"), TestTune());
    int error = MusicOk;
    tune = FluidSynthSequencer::Open(dir.filePath("Blugrass.mid").toStdString(),
                                     SynthOutput::Caller, error);
    ASSERT_TRUE(tune) << "error " << error << "; soundfont: " << GeneralMidiSoundFont();
  }

  // Renders the next `ms` milliseconds and returns their level.
  double Level(int ms) {
    const int frames = tune->SampleRate() * ms / 1000;
    std::vector<float> left(frames), right(frames);
    tune->Render(frames, left.data(), right.data());
    double sum = 0;
    for (float sample : left) sum += double{sample} * sample;
    return std::sqrt(sum / frames);
  }

  QTemporaryDir dir;
  std::unique_ptr<FluidSynthSequencer> tune;
};

}  // namespace

TEST_F(FluidSynthTune, IsSilentUntilPlayedThenPlaysFromItsBeginning) {
  EXPECT_LT(Level(300), Quiet);
  ASSERT_EQ(tune->PlayFromStart(), MusicOk);
  EXPECT_GT(Level(250), Loud);
  Level(1500);
  EXPECT_LT(Level(500), Quiet) << "the tune's silent part";
}

TEST_F(FluidSynthTune, StopSilencesTheTuneAtOnce) {
  tune->PlayFromStart();
  Level(200);
  ASSERT_EQ(tune->Stop(), MusicOk);
  Level(500);  // the note's release
  EXPECT_LT(Level(250), Quiet) << "the note would sound until one second";
}

TEST_F(FluidSynthTune, PlayStartsFromTheBeginningWhilePlayingAfterStopAndAfterTheEnd) {
  for (bool stopFirst : {false, true}) {
    tune->PlayFromStart();
    Level(1800);
    if (stopFirst) tune->Stop();
    ASSERT_LT(Level(200), Quiet);
    ASSERT_EQ(tune->PlayFromStart(), MusicOk);
    EXPECT_GT(Level(250), Loud) << (stopFirst ? "after stop" : "while playing");
  }
  Level(8000);
  tune->Stop();
  tune->PlayFromStart();
  EXPECT_GT(Level(250), Loud) << "after the end";
}

TEST(SequencerOpening, AMissingTuneIsAnErrorCodeAndTheSoundfontIsInstalled) {
  int error = MusicOk;
  EXPECT_FALSE(FluidSynthSequencer::Open("/nonexistent/Blugrass.mid", SynthOutput::Caller, error));
  EXPECT_EQ(error, MusicBadTune);
  EXPECT_FALSE(GeneralMidiSoundFont().empty());
}
